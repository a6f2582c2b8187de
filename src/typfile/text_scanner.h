#pragma once
// The tokens of a TYP text, cut as mkgmap's TYP compiler cuts them, so that a text reads here as it
// reads there, line numbers included: runs of letters, digits and '_' (words), runs of blanks, line
// ends (CR LF, LF or CR) and single other characters (symbols; "!=", "<=", ">=", "&&" and "||" are
// one). A line's number is counted when its first token is taken.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "typfile/text_notes.h"

namespace kestrel::typ {

enum class TokenKind : std::uint8_t { End, LineEnd, Space, Word, Symbol };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string value; // UTF-8; empty at the end of the text

    bool is(std::string_view v) const { return kind != TokenKind::End && value == v; }
    bool blank() const { return kind == TokenKind::Space || kind == TokenKind::LineEnd; }
};

// A refusal met while reading: thrown inside the text reader and caught at its entry.
struct TextRefusal {
    TextError error;
};

class TextScanner {
  public:
    // `utf8` holds U+FFFD where the text had no character; reading it is refused, naming the
    // character set.
    TextScanner(std::string_view utf8, std::string_view charset,
                std::string_view commentSymbol = {});

    bool atEnd();
    const Token& peek();
    Token nextRaw();
    // The next token that is not blank (blank lines and comment lines skipped).
    Token next();
    std::string nextValue() { return next().value; }
    void skipBlanks();
    // The rest of the line, its line end taken.
    void skipLine();
    // The rest of the line without blanks at either end (Java's trim); its line end is taken.
    std::string readLine();
    // The next token that is not blank has the value.
    bool nextIs(std::string_view value);
    // Takes the next token that is not blank and refuses the text unless it has the value.
    void expect(std::string_view value);

    std::uint32_t line() const { return line_; }
    [[noreturn]] void refuse(TextProblem problem, std::string what = {}, std::string wanted = {});

  private:
    static constexpr std::int32_t kNoPushback = 0;
    static constexpr std::int32_t kEndChar = -1;

    std::int32_t readChar();
    Token readToken();

    std::string_view text_;
    std::size_t at_ = 0;
    std::string charset_;
    std::string comment_;
    std::int32_t pushback_ = kNoPushback;
    bool ended_ = false;
    std::optional<Token> ahead_;
    std::uint32_t line_ = 0;
    bool lineStart_ = true;
};

// Java's Character.isWhitespace, and the byte-order mark.
bool isTextSpace(std::int32_t c);
// Java's Character.isLetterOrDigit (exact up to U+00FF, close beyond), and '_'.
bool isWordChar(std::int32_t c);

} // namespace kestrel::typ
