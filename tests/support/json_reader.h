#pragma once
// A small JSON reader for the expected-result files: objects, arrays, strings (\uXXXX below 256
// become one byte), numbers, true, false, null.
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestrel::test {

struct Json {
    enum class Type { Null, Bool, Number, String, Array, Object };
    Type type = Type::Null;
    bool boolean = false;
    double number = 0;
    std::string string;
    std::vector<Json> array;
    std::map<std::string, Json> object;

    bool isNull() const { return type == Type::Null; }
    const Json& operator[](const std::string& key) const;
    std::vector<std::string> strings() const;

    // Nothing when the text is not valid JSON.
    static std::optional<Json> parse(const std::string& text);
};

} // namespace kestrel::test
