#include "platform/posix/CommandLineSplit.h"

#include <cstddef>

namespace quorbin {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

class Splitter {
public:
    explicit Splitter(std::string_view text) : text_(text) {}

    std::vector<std::string> arguments() {
        std::vector<std::string> result;
        for (;;) {
            skipBlanks();
            if (atEnd())
                return result;
            result.push_back(nextArgument());
        }
    }

private:
    bool atEnd() const { return pos_ >= text_.size(); }
    char peek(std::size_t ahead = 0) const {
        return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0';
    }

    void skipBlanks() {
        while (!atEnd() && isBlank(text_[pos_]))
            ++pos_;
    }

    std::string nextArgument() {
        std::string argument;
        bool quoted = false;
        while (!atEnd() && (quoted || !isBlank(peek()))) {
            if (peek() == '\\')
                takeBackslashes(argument);
            else if (peek() == '"')
                takeQuote(argument, quoted);
            else
                argument += text_[pos_++];
        }
        return argument;
    }

    // Backslashes matter only before a double quote: there they escape in pairs, and an
    // odd one left over makes the quote a literal character.
    void takeBackslashes(std::string& argument) {
        std::size_t count = 0;
        while (peek() == '\\') {
            ++count;
            ++pos_;
        }
        if (peek() != '"') {
            argument.append(count, '\\');
            return;
        }
        argument.append(count / 2, '\\');
        if (count % 2 == 1) {
            argument += '"';
            ++pos_;
        }
    }

    void takeQuote(std::string& argument, bool& quoted) {
        if (quoted && peek(1) == '"') {
            argument += '"';
            pos_ += 2;
            return;
        }
        quoted = !quoted;
        ++pos_;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace

std::vector<std::string> splitCommandLine(std::string_view text) {
    return Splitter(text).arguments();
}

} // namespace quorbin
