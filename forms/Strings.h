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

    virtual int Count() const = 0;
    virtual std::string Get(int index) const = 0;
    virtual void Put(int index, const std::string& s) = 0;
    virtual void Insert(int index, const std::string& s) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    std::string operator[](int index) const { return Get(index); }
    int Add(const std::string& s);
    // Copies the lines of source; the list's own lines are replaced.
    void Assign(const TStrings& source);
    void Assign(const std::vector<std::string>& lines);
    // All lines at once. Lists that live in a control override it so the
    // control's text is fetched once, not once per line: reading line by line
    // through Get() would cost the square of the length.
    virtual std::vector<std::string> ToVector() const;

    // The lines each followed by CR LF.
    std::string Text() const;
    // Splits at CR LF, lone CR or lone LF; a final line break makes no
    // extra empty line.
    void SetText(std::string_view text);

protected:
    // Replaces all lines at once; lists that live in a control override it so
    // the control is updated once.
    virtual void SetLines(const std::vector<std::string>& lines);
};

class TStringList : public TStrings {
public:
    TStringList() = default;
    explicit TStringList(std::vector<std::string> lines) : lines_(std::move(lines)) {}

    int Count() const override { return static_cast<int>(lines_.size()); }
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override { lines_.clear(); }
    std::vector<std::string> ToVector() const override { return lines_; }

protected:
    void SetLines(const std::vector<std::string>& lines) override { lines_ = lines; }

private:
    std::vector<std::string> lines_;
};

// The lines of a text as a list reports them (see TStrings::SetText).
std::vector<std::string> SplitLines(std::string_view text);
std::string JoinLines(const std::vector<std::string>& lines);

}  // namespace forms
