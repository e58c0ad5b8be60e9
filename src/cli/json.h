#pragma once

#include <ostream>
#include <string_view>
#include <vector>

namespace plk::cli {

// A minimal streaming JSON writer for the CLI's machine-readable output.
class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out) : m_out(out) {}

    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    JsonWriter& Key(std::string_view key);
    JsonWriter& String(std::string_view utf8);
    JsonWriter& Number(long long value);
    JsonWriter& Null();

private:
    void BeforeValue();
    void WriteString(std::string_view utf8);

    std::ostream& m_out;
    std::vector<bool> m_needComma;  // one entry per open container
    bool m_afterKey = false;
};

}  // namespace plk::cli
