#include "cli/json.h"

#include <cstdio>

namespace plk::cli {

void JsonWriter::BeforeValue() {
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_needComma.empty()) {
        if (m_needComma.back()) {
            m_out << ',';
        }
        m_needComma.back() = true;
    }
}

void JsonWriter::WriteString(std::string_view utf8) {
    m_out << '"';
    for (char c : utf8) {
        auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                m_out << "\\\"";
                break;
            case '\\':
                m_out << "\\\\";
                break;
            case '\n':
                m_out << "\\n";
                break;
            case '\r':
                m_out << "\\r";
                break;
            case '\t':
                m_out << "\\t";
                break;
            default:
                if (byte < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
                    m_out << escaped;
                } else {
                    m_out << c;
                }
        }
    }
    m_out << '"';
}

JsonWriter& JsonWriter::BeginObject() {
    BeforeValue();
    m_out << '{';
    m_needComma.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::EndObject() {
    m_needComma.pop_back();
    m_out << '}';
    return *this;
}

JsonWriter& JsonWriter::BeginArray() {
    BeforeValue();
    m_out << '[';
    m_needComma.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::EndArray() {
    m_needComma.pop_back();
    m_out << ']';
    return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key) {
    BeforeValue();
    WriteString(key);
    m_out << ':';
    m_afterKey = true;
    return *this;
}

JsonWriter& JsonWriter::String(std::string_view utf8) {
    BeforeValue();
    WriteString(utf8);
    return *this;
}

JsonWriter& JsonWriter::Number(long long value) {
    BeforeValue();
    m_out << value;
    return *this;
}

JsonWriter& JsonWriter::Null() {
    BeforeValue();
    m_out << "null";
    return *this;
}

}  // namespace plk::cli
