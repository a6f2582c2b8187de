#include "support/json_reader.h"

#include <cstdlib>
#include <stdexcept>

namespace kestrel::test {
namespace {

class Parser {
  public:
    explicit Parser(const std::string& t) : t_(t) {}

    Json value() {
        skip();
        if (p_ >= t_.size()) throw std::runtime_error("end of text");
        const char c = t_[p_];
        if (c == '{') return object();
        if (c == '[') return array();
        if (c == '"') {
            Json j;
            j.type = Json::Type::String;
            j.string = string();
            return j;
        }
        if (literal("true")) return boolean(true);
        if (literal("false")) return boolean(false);
        if (literal("null")) return Json{};
        return number();
    }
    void end() {
        skip();
        if (p_ != t_.size()) throw std::runtime_error("trailing text");
    }

  private:
    void skip() {
        while (p_ < t_.size() &&
               (t_[p_] == ' ' || t_[p_] == '\n' || t_[p_] == '\r' || t_[p_] == '\t'))
            ++p_;
    }
    void expect(char c) {
        skip();
        if (p_ >= t_.size() || t_[p_] != c) throw std::runtime_error("expected character");
        ++p_;
    }
    bool literal(const char* w) {
        const std::string s(w);
        if (t_.compare(p_, s.size(), s) != 0) return false;
        p_ += s.size();
        return true;
    }
    static Json boolean(bool b) {
        Json j;
        j.type = Json::Type::Bool;
        j.boolean = b;
        return j;
    }
    Json number() {
        const char* begin = t_.c_str() + p_;
        char* end = nullptr;
        const double v = std::strtod(begin, &end);
        if (end == begin) throw std::runtime_error("bad value");
        p_ += static_cast<std::size_t>(end - begin);
        Json j;
        j.type = Json::Type::Number;
        j.number = v;
        return j;
    }
    std::string string() {
        expect('"');
        std::string r;
        while (p_ < t_.size() && t_[p_] != '"') {
            char c = t_[p_++];
            if (c != '\\') {
                r += c;
                continue;
            }
            if (p_ >= t_.size()) break;
            c = t_[p_++];
            switch (c) {
            case 'n':
                r += '\n';
                break;
            case 'r':
                r += '\r';
                break;
            case 't':
                r += '\t';
                break;
            case 'b':
                r += '\b';
                break;
            case 'f':
                r += '\f';
                break;
            case 'u': {
                const unsigned long v = std::stoul(t_.substr(p_, 4), nullptr, 16);
                p_ += 4;
                if (v > 0xFF) throw std::runtime_error("character above 255");
                r += static_cast<char>(v);
                break;
            }
            default:
                r += c;
                break;
            }
        }
        expect('"');
        return r;
    }
    Json array() {
        expect('[');
        Json j;
        j.type = Json::Type::Array;
        skip();
        if (p_ < t_.size() && t_[p_] == ']') {
            ++p_;
            return j;
        }
        for (;;) {
            j.array.push_back(value());
            skip();
            if (p_ < t_.size() && t_[p_] == ',') {
                ++p_;
                continue;
            }
            expect(']');
            return j;
        }
    }
    Json object() {
        expect('{');
        Json j;
        j.type = Json::Type::Object;
        skip();
        if (p_ < t_.size() && t_[p_] == '}') {
            ++p_;
            return j;
        }
        for (;;) {
            skip();
            const std::string key = string();
            expect(':');
            j.object[key] = value();
            skip();
            if (p_ < t_.size() && t_[p_] == ',') {
                ++p_;
                continue;
            }
            expect('}');
            return j;
        }
    }

    const std::string& t_;
    std::size_t p_ = 0;
};

} // namespace

const Json& Json::operator[](const std::string& key) const {
    static const Json null;
    const auto it = object.find(key);
    return it == object.end() ? null : it->second;
}

std::vector<std::string> Json::strings() const {
    std::vector<std::string> r;
    for (const Json& j : array) r.push_back(j.string);
    return r;
}

std::optional<Json> Json::parse(const std::string& text) {
    try {
        Parser p(text);
        Json j = p.value();
        p.end();
        return j;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace kestrel::test
