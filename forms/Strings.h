#pragma once
// Ordered lists of texts. TStrings is the interface every list offers (a
// memo's lines, a message list); TStringList keeps its lines itself.

#include <string>
#include <string_view>
#include <vector>

namespace forms {

class TStrings {
public:
    TStrings() = default;
    TStrings(const TStrings&) = delete;
    TStrings& operator=(const TStrings&) = delete;
    virtual ~TStrings() = default;

    // Through the whole list at once (ToVector); a list that keeps its lines
    // itself answers directly.
    virtual int Count() const;
    // Line index, from 0.
    virtual std::string Get(int index) const;
    std::string operator[](int index) const { return Get(index); }

    // Copies the lines of source; the list's own lines are replaced.
    void Assign(const TStrings& source);
    void Assign(const std::vector<std::string>& lines);
    // All lines at once. For a list that lives in a control this fetches the
    // control's text once: reading every line through Get() would fetch it
    // once per line.
    virtual std::vector<std::string> ToVector() const = 0;

protected:
    // Replaces all lines at once, so a list that lives in a control updates it
    // once.
    virtual void SetLines(const std::vector<std::string>& lines) = 0;

    // Raises "List index out of bounds (<index>)" unless 0 <= index < count.
    static void CheckIndex(int index, int count);
};

class TStringList : public TStrings {
public:
    TStringList() = default;
    explicit TStringList(std::vector<std::string> lines) : lines_(std::move(lines)) {}

    int Count() const override { return static_cast<int>(lines_.size()); }
    std::string Get(int index) const override;
    std::vector<std::string> ToVector() const override { return lines_; }

protected:
    void SetLines(const std::vector<std::string>& lines) override { lines_ = lines; }

private:
    std::vector<std::string> lines_;
};

// The lines of a text: split at CR LF, lone CR or lone LF; a final line
// break makes no extra empty line.
std::vector<std::string> SplitLines(std::string_view text);
// The lines each followed by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

}  // namespace forms
