#pragma once
// The per-user settings as a tree of keys holding typed values, and its text form.
//
// Keys are backslash-separated paths below the application key; "" is the application key
// itself. Empty path components are ignored, so "\Workspace\" names the same key as
// "Workspace". Key names and value names compare case-insensitively but keep the spelling
// they were first created with. Every key that exists has all its parents existing too.
//
// Text form (UTF-8, one item per line):
//
//   Loomwrite settings 1
//   ; comment lines and blank lines are ignored
//   []                                  the application key itself
//   [Workspace\MFCToolBar-59392]        a key, written as its path
//   "HiColorIcons"=dword:00000001       32-bit integer, 8 hex digits
//   "Big"=qword:0000000100000000        64-bit integer, 16 hex digits
//   "File1"="/home/a \"b\".html"     string; escapes \\ \" \n \r \t \uXXXX
//   "Buttons"=hex:01,02,ff,\            binary; a trailing backslash continues the list
//     03,04                             on the next line
//
// Every key that holds values or has no sub-keys gets a section, so empty keys survive a round
// trip; a key with sub-keys and no values is implied by its sub-keys' sections, which keeps
// the text no longer than the paths it names. Sections come in
// path order and values in name order, both compared case-folded, so equal trees always
// serialise to the same bytes. In a section line, a key name's control characters and '%'
// are written as %XXXX (four hex digits of the UTF-16 unit). Strings escape control
// characters and unpaired surrogates as \uXXXX and keep every other character as UTF-8.
// For hand edits, a leading byte-order mark, "\r\n" line ends, blanks around a line, short
// hex numbers and upper-case hex digits are accepted, and a value written twice keeps the
// last one. An empty input is a valid empty tree; anything else that does not follow the
// form (including invalid UTF-8, a section nested more than kMaxDepth keys deep, and more
// than kMaxKeys keys) is rejected as a whole.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <map>
#include <optional>

namespace lw {

enum class RegType : std::uint8_t { DWord, QWord, String, Binary };

// One typed value. Only the member matching the type is meaningful; a DWord keeps its
// value in the low 32 bits of number.
struct RegValue {
    RegType type = RegType::DWord;
    quint64 number = 0;
    QString string;
    QByteArray binary;

    static RegValue dword(quint32 v) { return {RegType::DWord, v, {}, {}}; }
    static RegValue qword(quint64 v) { return {RegType::QWord, v, {}, {}}; }
    static RegValue text(const QString& v) { return {RegType::String, 0, v, {}}; }
    static RegValue bytes(const QByteArray& v) { return {RegType::Binary, 0, {}, v}; }

    // Compares only what the type uses.
    bool operator==(const RegValue& other) const;
};

class CSettingsTree {
public:
    // The deepest section a settings file may hold, far deeper than any key the program uses.
    static constexpr int kMaxDepth = 64;
    // The most keys a settings file may make, far more than the program uses.
    static constexpr qsizetype kMaxKeys = 100000;

    bool keyExists(const QString& key) const;
    std::optional<RegValue> value(const QString& key, const QString& name) const;
    // Each typed read gives nullopt when the value is missing or has another type.
    std::optional<quint32> readDWord(const QString& key, const QString& name) const;
    std::optional<quint64> readQWord(const QString& key, const QString& name) const;
    std::optional<QString> readString(const QString& key, const QString& name) const;
    std::optional<QByteArray> readBinary(const QString& key, const QString& name) const;
    // Names as spelled, in serialisation order; empty for a missing key.
    QStringList subKeys(const QString& key) const;
    QStringList valueNames(const QString& key) const;

    // Creates the key and any missing parents.
    void createKey(const QString& key);
    // Creates the key when needed; replaces a value of the same name whatever its type.
    void setValue(const QString& key, const QString& name, const RegValue& v);
    void writeDWord(const QString& key, const QString& name, quint32 v);
    void writeQWord(const QString& key, const QString& name, quint64 v);
    void writeString(const QString& key, const QString& name, const QString& v);
    void writeBinary(const QString& key, const QString& name, const QByteArray& v);
    // Both return false when there was nothing to delete. Deleting a key takes its
    // sub-keys with it; deleting "" empties the tree.
    bool deleteValue(const QString& key, const QString& name);
    bool deleteKey(const QString& key);

    // True when not even the application key exists.
    bool isEmpty() const { return !m_root; }

    QByteArray serialise() const;
    static std::optional<CSettingsTree> parse(const QByteArray& text);
    // As parse(), and tells the 1-based line where the text stopped making sense.
    static std::optional<CSettingsTree> parse(const QByteArray& text, int* errorLine);

    // Exact equality: same keys and values with the same spelling.
    bool operator==(const CSettingsTree& other) const;

private:
    struct NamedValue {
        QString name;
        RegValue value;
        bool operator==(const NamedValue&) const = default;
    };
    // A key holds its sub-keys, so reaching or creating a key costs one step per path
    // component, whatever the depth.
    struct Key {
        QString name; // spelling of the last path component ("" for the application key)
        std::map<QString, NamedValue> values; // by case-folded name
        std::map<QString, Key> children;      // by case-folded name
        bool operator==(const Key&) const = default;
    };

    static QStringList pathNames(const QString& key);
    const Key* find(const QString& key) const;
    Key* find(const QString& key);
    // Creates what is missing of the path; created, when given, grows by the keys made.
    Key& ensure(const QStringList& names, qsizetype* created = nullptr);
    static void store(Key& key, const QString& name, const RegValue& v);
    static void serialiseKey(QByteArray& out, const Key& key, QByteArray& path);

    std::optional<Key> m_root; // absent when not even the application key exists
};

} // namespace lw
