#include "typfile/text_scanner.h"

#include "base/utf8.h"

namespace kestrel::typ {

namespace {

constexpr std::int32_t kReplacement = 0xFFFD;

// Letters of Latin-1 beyond ASCII: ª µ º and À to ÿ but × and ÷.
bool latinLetter(std::int32_t c) {
    return c == 0xAA || c == 0xB5 || c == 0xBA || (c >= 0xC0 && c != 0xD7 && c != 0xF7);
}

} // namespace

bool isTextSpace(std::int32_t c) {
    if (c == ' ' || (c >= 0x09 && c <= 0x0D) || (c >= 0x1C && c <= 0x1F)) return true;
    return c == 0xFEFF || c == 0x1680 || (c >= 0x2000 && c <= 0x2006) ||
           (c >= 0x2008 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x205F || c == 0x3000;
}

bool isWordChar(std::int32_t c) {
    if (c < 0x80)
        return c == '_' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') ||
               (c >= 'A' && c <= 'Z');
    if (c <= 0xFF) return latinLetter(c);
    // Punctuation, symbols and spaces of the higher blocks are no letters.
    return !isTextSpace(c) && !(c >= 0x2000 && c <= 0x2BFF) && !(c >= 0x3000 && c <= 0x303F) &&
           !(c >= 0xFE30 && c <= 0xFE4F) && !(c >= 0xFF00 && c <= 0xFF0F) && c < 0xFFF0;
}

TextScanner::TextScanner(std::string_view utf8, std::string_view charset,
                         std::string_view commentSymbol)
    : text_(utf8), charset_(charset), comment_(commentSymbol) {}

void TextScanner::refuse(TextProblem problem, std::string what, std::string wanted) {
    throw TextRefusal{{line_, problem, std::move(what), std::move(wanted)}};
}

std::int32_t TextScanner::readChar() {
    if (pushback_ != kNoPushback) {
        const std::int32_t c = pushback_;
        pushback_ = kNoPushback;
        return c;
    }
    if (at_ >= text_.size()) {
        ended_ = true;
        return kEndChar;
    }
    const Utf8Char c = nextUtf8(text_, at_);
    at_ += c.bytes ? c.bytes : 1; // the text is UTF-8 (decodeText made it)
    if (c.bytes == 0 || c.cp == kReplacement) refuse(TextProblem::BadCharacter, charset_);
    return static_cast<std::int32_t>(c.cp);
}

Token TextScanner::readToken() {
    if (ended_) return {};
    std::int32_t c = readChar();
    if (c == kEndChar) {
        ended_ = true;
        return {};
    }
    Token t;
    appendUtf8(t.value, static_cast<std::uint32_t>(c));
    if (c == '\r') {
        c = readChar();
        if (c != '\n') pushback_ = c;
        t.kind = TokenKind::LineEnd;
    } else if (c == '\n') {
        t.kind = TokenKind::LineEnd;
    } else if (isTextSpace(c)) {
        while (isTextSpace(c = readChar()) && c != '\n') appendUtf8(t.value, c);
        pushback_ = c;
        t.kind = TokenKind::Space;
    } else if (isWordChar(c)) {
        while (isWordChar(c = readChar())) appendUtf8(t.value, c);
        pushback_ = c;
        t.kind = TokenKind::Word;
    } else {
        t.kind = TokenKind::Symbol;
        if (c == '!' || c == '<' || c == '>') {
            const std::int32_t n = readChar();
            if (n == '=')
                t.value += '=';
            else
                pushback_ = n;
        } else if (c == '&' || c == '|') {
            const std::int32_t n = readChar();
            if (n == c)
                appendUtf8(t.value, n);
            else
                pushback_ = n;
        }
    }
    return t;
}

bool TextScanner::atEnd() {
    return peek().kind == TokenKind::End;
}

const Token& TextScanner::peek() {
    if (!ahead_) ahead_ = readToken();
    return *ahead_;
}

Token TextScanner::nextRaw() {
    peek();
    if (lineStart_) {
        lineStart_ = false;
        ++line_;
    }
    Token t = std::move(*ahead_);
    ahead_.reset();
    if (t.kind == TokenKind::LineEnd) lineStart_ = true;
    return t;
}

void TextScanner::skipBlanks() {
    while (!atEnd()) {
        if (!comment_.empty() && peek().is(comment_))
            skipLine();
        else if (peek().blank())
            nextRaw();
        else
            break;
    }
}

Token TextScanner::next() {
    skipBlanks();
    return nextRaw();
}

void TextScanner::skipLine() {
    while (!atEnd())
        if (nextRaw().kind == TokenKind::LineEnd) break;
}

std::string TextScanner::readLine() {
    std::string s;
    while (!atEnd() && peek().kind != TokenKind::LineEnd) s += nextRaw().value;
    nextRaw();
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return s.substr(b, e - b);
}

bool TextScanner::nextIs(std::string_view value) {
    skipBlanks();
    return peek().is(value);
}

void TextScanner::expect(std::string_view value) {
    skipBlanks();
    const Token t = next();
    if (!t.is(value)) refuse(TextProblem::Expected, t.value, std::string(value));
}

} // namespace kestrel::typ
