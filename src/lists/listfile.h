#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>

// The list file format and list identity.
//
// A list is a text file "<stem>.ini" in the program folder, one entry per
// line, up to six TAB-separated fields: Title, Filename, Path, Arguments,
// Color ("r,g,b") and Bold ("Bold"). An empty Filename marks a sublist, the
// list with stem "m" + Title. The top list has the stem "Brennomix" and the
// display name "Launcher"; the window caption "Brennomix " + display name
// names the list that is shown.
namespace listfile {

inline constexpr int kFields = 6;
// Colour values are red + 256 * green + 65536 * blue.
inline constexpr std::uint32_t kSublistColor = 180;
// The system's window-text colour code: "no colour of its own".
inline constexpr std::uint32_t kDefaultTextColor = 0x80000008u;
inline constexpr const char* kTopStem = "Brennomix";
inline constexpr const char* kTopDisplayName = "Launcher";
inline constexpr const char* kCaptionPrefix = "Brennomix ";

constexpr std::uint32_t rgb(int r, int g, int b) {
    return std::uint32_t(r) | (std::uint32_t(g) << 8) | (std::uint32_t(b) << 16);
}

// One line of a list file as the view shows it.
struct ParsedLine {
    // Title and up to five more fields, in file order (fields past the sixth
    // are dropped). fields.size() - 1 is the number of TABs that mattered.
    QStringList fields;
    std::uint32_t color = kDefaultTextColor;
    bool bold = false;
};

ParsedLine parseLine(const QString& line);

// Title followed by exactly five TAB-separated fields. A TAB, CR or LF
// inside a field becomes a blank: the line never splits into more fields or
// lines than it has.
QString formatLine(const QString& title, const std::array<QString, 5>& subItems);

// The text can stand in a field of a list line as it is: it holds no TAB,
// CR or LF.
bool isStorableField(const QString& text);
// The text with every TAB, CR and LF made a blank.
QString blankSeparators(QString text);

// "r,g,b" -> colour value; nothing when there are fewer than three parts or a
// part is not a number or negative. Parts are rounded half to even and
// capped at 255; parts after the third are ignored.
std::optional<std::uint32_t> parseColor(const QString& field);

// Rounds half to even, as the program's numeric conversions always have.
long long roundHalfEven(double v);

// The three entries of a list that had no file.
QStringList newListLines();

// Cleans a list name given on a command line or by a sublist: empty or
// "/..." names the top list; a name with a double quote loses its first and
// last characters; an extension is cut at the last ".".
QString cleanName(QString name);

// "Launcher" for the top list, else the stem without its first character.
QString displayName(const QString& stem);
QString captionFor(const QString& stem);

// A stem may become a file name in the program folder only when it is not
// empty and holds no "/" and no NUL, so it can never reach outside.
bool isSafeStem(const QString& stem);

QString pathFor(const QString& folder, const QString& stem);

// What a row shows of a field: no more than a window could ever show, so a
// huge line (megabytes in one field) paints as fast as any other. The row
// itself, and the file, keep every character.
inline constexpr qsizetype kMaxShownChars = 4096;
QString shownText(const QString& field);

}  // namespace listfile
