#pragma once
// The spreadsheet library prints its own warnings and errors ("[ERROR][packager.c:…]") on
// standard error before it returns the code this facade turns into a typed error. The
// program says each failure once, in its own words, so the library's lines are dropped.

namespace tallyvane::xlsx {

// While one lives, standard error goes nowhere. errno is kept as the library left it.
class QuietLibrary {
public:
    QuietLibrary() noexcept;
    ~QuietLibrary();
    QuietLibrary(const QuietLibrary&) = delete;
    QuietLibrary& operator=(const QuietLibrary&) = delete;

private:
    int saved_;
};

}  // namespace tallyvane::xlsx
