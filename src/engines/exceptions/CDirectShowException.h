#pragma once

#include "platform/errors/CException.h"

#include <cstdint>

namespace tavi::engines {

// A media-pipeline operation failed. The operation code says which step; the result code
// and the pipeline's own error text say why.
class CDirectShowException : public errors::CException {
public:
    enum Operation : uint32_t {
        CreateGraph = 101,
        Run = 102,
        RenderFile = 103,
        PauseGraph = 104,
        SeekGraph = 105,
        GetLength = 106,
        AddConfiguredFilters = 107,
    };
    static constexpr uint32_t kProtectedContent = 0xC00D2767;
    static constexpr uint32_t kProtectedContentLicense = 0xC00D0BBE;

    CDirectShowException(uint32_t operation, uint32_t result, QString pipelineText = {})
        : m_operation(operation), m_result(result), m_text(std::move(pipelineText)) {}
    uint32_t GetOperation() const { return m_operation; }
    uint32_t GetResult() const { return m_result; }
    int GetHelpContext() const { return -1; }
    QString GetErrorMessage() const override;

private:
    uint32_t m_operation;
    uint32_t m_result;
    QString m_text;
};

}  // namespace tavi::engines
