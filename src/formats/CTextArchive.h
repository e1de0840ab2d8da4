#pragma once

#include "ByteCodec.h"

#include <QIODevice>
#include <QString>

#include <memory>
#include <string>

namespace tavi::formats {

// Reads or writes a text file line by line through a 32,768-byte buffer, with the code-page,
// byte-order-mark and line-end rules of playlist files. One object per file; the device
// must stay open while the archive lives. Failures of the device throw CFileException
// (named after fileName); text that is invalid in its encoding never throws.
class CTextArchive {
public:
    enum Mode { Read, Write };
    enum LineEnd { CrLf = 0, Lf = 1, Cr = 2 };
    static constexpr qsizetype kBufferSize = 32768;

    // Read mode reads the first buffer at once and decides code page and line end from it;
    // write mode starts with code page 0 and CrLf.
    CTextArchive(QIODevice& device, Mode mode, QString fileName = {});
    ~CTextArchive();
    CTextArchive(const CTextArchive&) = delete;
    CTextArchive& operator=(const CTextArchive&) = delete;

    // The next line without its terminator; false when no line is left. CR and LF each end
    // a line; zero units are dropped; in a CrLf file the LF after a CR belongs to it. Data
    // that ends without a terminator gives a last line, possibly empty.
    bool ReadLine(QString& text);
    // The text and one CR LF, encoded in the code page.
    void WriteLine(QStringView text);
    // Write mode, before the first line: sets the code page and writes its mark, if any.
    void SetEncoding(int codePage);
    // Write mode: writes out what is still buffered. Must be called before the device is
    // committed or closed; the destructor drops unwritten data.
    void Close();

    int codePage() const { return m_codePage; }
    bool hasMark() const { return m_hasMark; }
    LineEnd lineEnd() const { return m_lineEnd; }

private:
    bool Fill();
    void DetectMark();
    void DetectLineEnd();
    bool ReadByteLine(QString& text);
    QString DecodeBytes(QByteArrayView bytes);
    bool ReadUnitLine(QString& text);
    qsizetype NextStop();
    bool NextUnit(char16_t& unit);
    void SkipLfAfterCr();
    void Append(const char* bytes, qsizetype size);
    void FlushBuffer();
    [[noreturn]] void ThrowDeviceError() const;

    QIODevice& m_device;
    Mode m_mode;
    QString m_fileName;
    std::unique_ptr<char[]> m_buffer;
    int m_codePage = 0;
    bool m_hasMark = false;
    LineEnd m_lineEnd = CrLf;
    qsizetype m_valid = 0;  // bytes in the buffer
    qsizetype m_pos = 0;    // read position in it
    bool m_endOfData = false;
    // Byte code pages: where the next CR, LF and zero byte are in the buffer (m_valid when
    // there is none), so that each kind is searched once per buffer, not once per line.
    qsizetype m_nextStop[3] = {-1, -1, -1};
    bool m_written = false;              // write mode: a line or mark went out already
    std::unique_ptr<ByteCodec> m_codec;  // byte code pages; created on first use
    std::string m_lineBytes;             // a byte line that spans buffers
    std::u16string m_lineUnits;          // a UTF-16 line being collected
};

}  // namespace tavi::formats
