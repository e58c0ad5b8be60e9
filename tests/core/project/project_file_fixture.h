#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "core/project/project_file.h"

namespace plk::testing_support {

// Assembles project-file images block by block so that tests can build valid, legacy and
// damaged files without fixtures on disk.
class ProjectImage {
public:
    ProjectImage& Header(std::string_view magic, std::int32_t cutCount) {
        ProjectHeader header = MakeHeader(magic, cutCount);
        return Raw(&header, sizeof header);
    }
    ProjectImage& Zeros(std::size_t count) {
        m_bytes.insert(m_bytes.end(), count, 0);
        return *this;
    }
    ProjectImage& Int(std::int32_t value) { return Raw(&value, sizeof value); }
    ProjectImage& Raw(const void* data, std::size_t size) {
        const auto* p = static_cast<const std::uint8_t*>(data);
        m_bytes.insert(m_bytes.end(), p, p + size);
        return *this;
    }
    template <typename T>
    ProjectImage& Record(const T& record) {
        return Raw(&record, sizeof record);
    }
    // Header of the current version, empty palette, reset profile and messages.
    static ProjectImage Current(std::int32_t cutCount) {
        ProjectImage image;
        ProfileBlock profile = ResetProfile();
        auto messages = std::make_unique<MessageTable>();
        ResetMessages(*messages);
        image.Header(kProjectMagic2000, cutCount)
            .Zeros(sizeof(ResourceTable))
            .Record(profile)
            .Record(*messages);
        return image;
    }

    std::vector<std::uint8_t>& Bytes() { return m_bytes; }

private:
    std::vector<std::uint8_t> m_bytes;
};

}  // namespace plk::testing_support
