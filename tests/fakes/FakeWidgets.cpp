#include "fakes/FakeWidgets.h"

#include <algorithm>
#include <cctype>

namespace quorbin::test {

namespace {
bool lessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}
} // namespace

void FakeListBox::addSorted(const std::string& text) {
    const auto at =
        std::upper_bound(entries.begin(), entries.end(), text,
                         [](const std::string& t, const Entry& e) { return lessIgnoringCase(t, e.text); });
    entries.insert(at, Entry{text, false, {}});
}

void FakeListBox::fill(const std::vector<std::string>& names, const std::vector<int>& selected) {
    entries.clear();
    for (const auto& name : names)
        entries.push_back(Entry{name, false, {}});
    for (const int i : selected)
        entries.at(static_cast<std::size_t>(i)).selected = true;
}

const EntryBadge& FakeListBox::badgeOf(const std::string& name) const {
    const auto found =
        std::find_if(entries.begin(), entries.end(), [&](const Entry& e) { return e.text == name; });
    return found->badge;
}

} // namespace quorbin::test
