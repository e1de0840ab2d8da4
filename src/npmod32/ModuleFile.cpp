#include "ModuleFile.h"

#include <zlib.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

namespace npmod {

namespace {

constexpr uint32_t kLocalHeaderSignature = 0x04034b50;
constexpr size_t kLocalHeaderBytes = 30;
constexpr int kMaxEntries = 64;  // directories and extra files looked past for the module
constexpr uint16_t kStored = 0;
constexpr uint16_t kDeflated = 8;
constexpr uint16_t kSizesFollowData = 1u << 3;

uint32_t Little(const uint8_t* bytes, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

bool IsZip(const std::vector<uint8_t>& file) {
    return file.size() >= 4 && Little(file.data(), 4) == kLocalHeaderSignature;
}

// Raw deflate data, inflated to at most kMaxModuleBytes; nothing when it is damaged, ends
// early or unpacks to more.
std::optional<std::vector<uint8_t>> Inflate(const uint8_t* data, size_t size) {
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) {
        return std::nullopt;
    }
    std::vector<uint8_t> out;
    stream.next_in = const_cast<Bytef*>(data);
    stream.avail_in = uInt(std::min<size_t>(size, UINT32_MAX));
    int result = Z_OK;
    while (result == Z_OK) {
        if (out.size() >= kMaxModuleBytes) {
            result = Z_MEM_ERROR;  // a zip bomb, or no module
            break;
        }
        const size_t used = out.size();
        out.resize(std::min(kMaxModuleBytes, std::max<size_t>(64 * 1024, used * 2)));
        stream.next_out = out.data() + used;
        stream.avail_out = uInt(out.size() - used);
        result = inflate(&stream, Z_NO_FLUSH);
        out.resize(used + (out.size() - used - stream.avail_out));
        if (result == Z_BUF_ERROR && stream.avail_in == 0) {
            break;  // the data ended before the stream did
        }
        if (result == Z_BUF_ERROR) {
            result = Z_OK;  // room was all used: grow and go on
        }
    }
    inflateEnd(&stream);
    if (result != Z_STREAM_END) {
        return std::nullopt;
    }
    return out;
}

std::optional<std::vector<uint8_t>> UnpackZip(const std::vector<uint8_t>& zip) {
    size_t at = 0;
    for (int entry = 0; entry < kMaxEntries; ++entry) {
        if (zip.size() - at < kLocalHeaderBytes || Little(&zip[at], 4) != kLocalHeaderSignature) {
            return std::nullopt;
        }
        const uint8_t* header = &zip[at];
        const uint16_t flags = uint16_t(Little(header + 6, 2));
        const uint16_t method = uint16_t(Little(header + 8, 2));
        const uint32_t crc = Little(header + 14, 4);
        const size_t packed = Little(header + 18, 4);
        const size_t unpacked = Little(header + 22, 4);
        const size_t nameLength = Little(header + 26, 2);
        const size_t extraLength = Little(header + 28, 2);
        const size_t dataAt = at + kLocalHeaderBytes + nameLength + extraLength;
        if (dataAt > zip.size()) {
            return std::nullopt;
        }
        const bool sizesKnown = (flags & kSizesFollowData) == 0;
        if (sizesKnown && packed > zip.size() - dataAt) {
            return std::nullopt;  // data beyond the end of the file
        }
        const bool directory = nameLength > 0 && zip[dataAt - extraLength - 1] == '/';
        if (directory || (sizesKnown && unpacked == 0)) {
            if (!sizesKnown) {
                return std::nullopt;  // its end cannot be found without unpacking it
            }
            at = dataAt + packed;
            continue;
        }
        if (sizesKnown && unpacked > kMaxModuleBytes) {
            return std::nullopt;
        }
        std::optional<std::vector<uint8_t>> module;
        if (method == kStored && sizesKnown) {
            module.emplace(zip.begin() + long(dataAt), zip.begin() + long(dataAt + packed));
        } else if (method == kDeflated) {
            const size_t available = sizesKnown ? packed : zip.size() - dataAt;
            module = Inflate(zip.data() + dataAt, available);
        }
        if (!module || module->empty()) {
            return std::nullopt;
        }
        if (sizesKnown &&
            (module->size() != unpacked || crc32(0, module->data(), uInt(module->size())) != crc)) {
            return std::nullopt;
        }
        return module;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::vector<uint8_t>> UnpackModule(std::vector<uint8_t> file) {
    if (file.empty() || file.size() > kMaxModuleBytes) {
        return std::nullopt;
    }
    if (IsZip(file)) {
        return UnpackZip(file);
    }
    return file;
}

std::optional<std::vector<uint8_t>> ReadModuleFile(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat info {};
    std::vector<uint8_t> file;
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0 &&
              size_t(info.st_size) <= kMaxModuleBytes;
    if (ok) {
        file.resize(size_t(info.st_size));
        size_t done = 0;
        while (done < file.size()) {
            const ssize_t got = read(fd, file.data() + done, file.size() - done);
            if (got <= 0) {
                break;
            }
            done += size_t(got);
        }
        file.resize(done);
    }
    close(fd);
    if (!ok) {
        return std::nullopt;
    }
    return UnpackModule(std::move(file));
}

}  // namespace npmod
