#include "framework/core/SettingsTree.h"

#include <QStringDecoder>
#include <QStringView>
#include <utility>

namespace lw {

namespace {

constexpr QLatin1StringView kHeader("Loomwrite settings 1");
constexpr int kBytesPerLine = 24;

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

// Characters that would be invisible, break a line or confuse an editor if written raw.
bool needsEscape(char16_t c) {
    return c < 0x20 || c == 0x7f || (c >= 0x80 && c <= 0x9f) || c == 0x2028 || c == 0x2029 || c == 0xfeff;
}

// True for a surrogate that is not part of a well-formed pair at position i.
bool isLoneSurrogate(QStringView s, qsizetype i) {
    const QChar c = s[i];
    if (c.isHighSurrogate())
        return i + 1 >= s.size() || !s[i + 1].isLowSurrogate();
    if (c.isLowSurrogate())
        return i == 0 || !s[i - 1].isHighSurrogate();
    return false;
}

QString hex4(char16_t c) {
    return QStringLiteral("%1").arg(uint(c), 4, 16, QLatin1Char('0'));
}

QString escapeString(QStringView s) {
    QString out;
    out.reserve(s.size() + 2);
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        switch (c) {
        case u'\\':
            out += QLatin1String("\\\\");
            continue;
        case u'"':
            out += QLatin1String("\\\"");
            continue;
        case u'\n':
            out += QLatin1String("\\n");
            continue;
        case u'\r':
            out += QLatin1String("\\r");
            continue;
        case u'\t':
            out += QLatin1String("\\t");
            continue;
        default:
            break;
        }
        if (needsEscape(c) || isLoneSurrogate(s, i))
            out += QLatin1String("\\u") + hex4(c);
        else
            out += QChar(c);
    }
    return out;
}

QString escapeKeyName(QStringView s) {
    QString out;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        if (c == u'%' || needsEscape(c) || isLoneSurrogate(s, i))
            out += QLatin1Char('%') + hex4(c);
        else
            out += QChar(c);
    }
    return out;
}

int hexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// Reads 1..maxDigits hex digits making up all of s.
std::optional<quint64> parseHexNumber(QStringView s, int maxDigits) {
    if (s.isEmpty() || s.size() > maxDigits)
        return std::nullopt;
    quint64 v = 0;
    for (QChar c : s) {
        const int d = hexDigit(c);
        if (d < 0)
            return std::nullopt;
        v = (v << 4) | quint64(d);
    }
    return v;
}

std::optional<char16_t> parseHex4(QStringView s) {
    if (s.size() < 4)
        return std::nullopt;
    const auto v = parseHexNumber(s.first(4), 4);
    return v ? std::optional<char16_t>(char16_t(*v)) : std::nullopt;
}

// Reads a quoted string starting at s[pos] == '"'; leaves pos after the closing quote.
std::optional<QString> parseQuoted(QStringView s, qsizetype& pos) {
    if (pos >= s.size() || s[pos] != u'"')
        return std::nullopt;
    QString out;
    for (++pos; pos < s.size(); ++pos) {
        const QChar c = s[pos];
        if (c == u'"') {
            ++pos;
            return out;
        }
        if (c != u'\\') {
            out += c;
            continue;
        }
        if (++pos >= s.size())
            return std::nullopt;
        switch (s[pos].unicode()) {
        case u'\\':
            out += u'\\';
            break;
        case u'"':
            out += u'"';
            break;
        case u'n':
            out += u'\n';
            break;
        case u'r':
            out += u'\r';
            break;
        case u't':
            out += u'\t';
            break;
        case u'u': {
            const auto unit = parseHex4(s.sliced(pos + 1));
            if (!unit)
                return std::nullopt;
            out += QChar(*unit);
            pos += 4;
            break;
        }
        default:
            return std::nullopt;
        }
    }
    return std::nullopt;
}

// Splits a section's path into key names, undoing %XXXX escapes. "" is the application key.
std::optional<QStringList> parseSectionPath(QStringView s) {
    QStringList names;
    if (s.isEmpty())
        return names;
    QString current;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == u'\\') {
            if (current.isEmpty())
                return std::nullopt;
            names << current;
            current.clear();
        } else if (c == u'%') {
            const auto unit = parseHex4(s.sliced(i + 1));
            if (!unit)
                return std::nullopt;
            current += QChar(*unit);
            i += 4;
        } else {
            current += c;
        }
    }
    if (current.isEmpty())
        return std::nullopt;
    names << current;
    return names;
}

std::optional<QByteArray> parseHexBytes(QStringView s) {
    QByteArray out;
    if (s.isEmpty())
        return out;
    out.reserve((s.size() + 1) / 3);
    for (qsizetype pos = 0;; pos += 3) {
        if (pos + 2 > s.size())
            return std::nullopt;
        const int hi = hexDigit(s[pos]);
        const int lo = hexDigit(s[pos + 1]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        out += char((hi << 4) | lo);
        if (pos + 2 == s.size())
            return out;
        if (s[pos + 2] != u',')
            return std::nullopt;
    }
}

QStringView trimmedBlanks(QStringView s) {
    while (!s.isEmpty() && isBlank(s.front()))
        s = s.sliced(1);
    while (!s.isEmpty() && isBlank(s.back()))
        s.chop(1);
    return s;
}

void appendHexBytes(QByteArray& out, const QByteArray& bytes) {
    static const char digits[] = "0123456789abcdef";
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (i > 0) {
            out += ',';
            if (i % kBytesPerLine == 0)
                out += "\\\n  ";
        }
        const auto b = static_cast<unsigned char>(bytes[i]);
        out += digits[b >> 4];
        out += digits[b & 0xf];
    }
}

} // namespace

bool RegValue::operator==(const RegValue& other) const {
    if (type != other.type)
        return false;
    switch (type) {
    case RegType::DWord:
        return quint32(number) == quint32(other.number);
    case RegType::QWord:
        return number == other.number;
    case RegType::String:
        return string == other.string;
    case RegType::Binary:
        return binary == other.binary;
    }
    return false;
}

QStringList CSettingsTree::pathNames(const QString& key) {
    return key.split(u'\\', Qt::SkipEmptyParts);
}

const CSettingsTree::Key* CSettingsTree::find(const QString& key) const {
    if (!m_root)
        return nullptr;
    const Key* k = &*m_root;
    for (const QString& name : pathNames(key)) {
        const auto it = k->children.find(name.toCaseFolded());
        if (it == k->children.end())
            return nullptr;
        k = &it->second;
    }
    return k;
}

CSettingsTree::Key* CSettingsTree::find(const QString& key) {
    return const_cast<Key*>(std::as_const(*this).find(key));
}

CSettingsTree::Key& CSettingsTree::ensure(const QStringList& names, qsizetype* created) {
    qsizetype made = m_root ? 0 : 1;
    Key* k = m_root ? &*m_root : &m_root.emplace();
    for (const QString& name : names) {
        const auto [it, inserted] = k->children.try_emplace(name.toCaseFolded(), Key{name, {}, {}});
        made += inserted ? 1 : 0;
        k = &it->second;
    }
    if (created)
        *created += made;
    return *k;
}

bool CSettingsTree::keyExists(const QString& key) const {
    return find(key) != nullptr;
}

std::optional<RegValue> CSettingsTree::value(const QString& key, const QString& name) const {
    const Key* k = find(key);
    if (!k)
        return std::nullopt;
    const auto it = k->values.find(name.toCaseFolded());
    if (it == k->values.end())
        return std::nullopt;
    return it->second.value;
}

std::optional<quint32> CSettingsTree::readDWord(const QString& key, const QString& name) const {
    const auto v = value(key, name);
    return v && v->type == RegType::DWord ? std::optional<quint32>(quint32(v->number)) : std::nullopt;
}

std::optional<quint64> CSettingsTree::readQWord(const QString& key, const QString& name) const {
    const auto v = value(key, name);
    return v && v->type == RegType::QWord ? std::optional<quint64>(v->number) : std::nullopt;
}

std::optional<QString> CSettingsTree::readString(const QString& key, const QString& name) const {
    const auto v = value(key, name);
    return v && v->type == RegType::String ? std::optional<QString>(v->string) : std::nullopt;
}

std::optional<QByteArray> CSettingsTree::readBinary(const QString& key, const QString& name) const {
    const auto v = value(key, name);
    return v && v->type == RegType::Binary ? std::optional<QByteArray>(v->binary) : std::nullopt;
}

QStringList CSettingsTree::subKeys(const QString& key) const {
    QStringList out;
    if (const Key* k = find(key)) {
        for (const auto& [folded, child] : k->children)
            out << child.name;
    }
    return out;
}

QStringList CSettingsTree::valueNames(const QString& key) const {
    QStringList out;
    if (const Key* k = find(key)) {
        for (const auto& [folded, v] : k->values)
            out << v.name;
    }
    return out;
}

void CSettingsTree::createKey(const QString& key) {
    ensure(pathNames(key));
}

void CSettingsTree::setValue(const QString& key, const QString& name, const RegValue& v) {
    store(ensure(pathNames(key)), name, v);
}

void CSettingsTree::store(Key& key, const QString& name, const RegValue& v) {
    // Only the member the type uses is kept, so equal values compare and serialise alike.
    RegValue stored{v.type, 0, {}, {}};
    switch (v.type) {
    case RegType::DWord:
        stored.number = quint32(v.number);
        break;
    case RegType::QWord:
        stored.number = v.number;
        break;
    case RegType::String:
        stored.string = v.string;
        break;
    case RegType::Binary:
        stored.binary = v.binary;
        break;
    }
    const auto [it, inserted] = key.values.try_emplace(name.toCaseFolded(), NamedValue{name, stored});
    if (!inserted)
        it->second.value = stored;
}

void CSettingsTree::writeDWord(const QString& key, const QString& name, quint32 v) {
    setValue(key, name, RegValue::dword(v));
}

void CSettingsTree::writeQWord(const QString& key, const QString& name, quint64 v) {
    setValue(key, name, RegValue::qword(v));
}

void CSettingsTree::writeString(const QString& key, const QString& name, const QString& v) {
    setValue(key, name, RegValue::text(v));
}

void CSettingsTree::writeBinary(const QString& key, const QString& name, const QByteArray& v) {
    setValue(key, name, RegValue::bytes(v));
}

bool CSettingsTree::deleteValue(const QString& key, const QString& name) {
    Key* k = find(key);
    return k && k->values.erase(name.toCaseFolded()) > 0;
}

bool CSettingsTree::deleteKey(const QString& key) {
    QStringList names = pathNames(key);
    if (names.isEmpty()) {
        const bool existed = m_root.has_value();
        m_root.reset();
        return existed;
    }
    const QString last = names.takeLast();
    Key* parent = find(names.join(u'\\'));
    return parent && parent->children.erase(last.toCaseFolded()) > 0;
}

void CSettingsTree::serialiseKey(QByteArray& out, const Key& key, QByteArray& path) {
    if (!key.values.empty() || key.children.empty()) {
        out += "\n[" + path + "]\n";
        for (const auto& [folded, v] : key.values) {
            out += '"' + escapeString(v.name).toUtf8() + "\"=";
            switch (v.value.type) {
            case RegType::DWord:
                out += "dword:" + QByteArray::number(quint32(v.value.number), 16).rightJustified(8, '0');
                break;
            case RegType::QWord:
                out += "qword:" + QByteArray::number(v.value.number, 16).rightJustified(16, '0');
                break;
            case RegType::String:
                out += '"' + escapeString(v.value.string).toUtf8() + '"';
                break;
            case RegType::Binary:
                out += "hex:";
                appendHexBytes(out, v.value.binary);
                break;
            }
            out += '\n';
        }
    }
    // Sub-keys in case-folded order right after their parent: the order of their paths. The
    // path is one buffer that grows and shrinks, so a deep key costs no copies of its parents'.
    for (const auto& [folded, child] : key.children) {
        const qsizetype parentLength = path.size();
        if (parentLength > 0)
            path += '\\';
        path += escapeKeyName(child.name).toUtf8();
        serialiseKey(out, child, path);
        path.truncate(parentLength);
    }
}

QByteArray CSettingsTree::serialise() const {
    QByteArray out = QByteArray(kHeader.data(), kHeader.size()) + '\n';
    QByteArray path;
    if (m_root)
        serialiseKey(out, *m_root, path);
    return out;
}

std::optional<CSettingsTree> CSettingsTree::parse(const QByteArray& text) {
    return parse(text, nullptr);
}

std::optional<CSettingsTree> CSettingsTree::parse(const QByteArray& text, int* errorLine) {
    int lineNo = 0;
    const auto fail = [&]() -> std::optional<CSettingsTree> {
        if (errorLine)
            *errorLine = lineNo;
        return std::nullopt;
    };
    CSettingsTree tree;
    if (text.isEmpty())
        return tree;

    const QByteArray bytes = text.startsWith("\xef\xbb\xbf") ? text.sliced(3) : text;
    // Decoded line by line, so invalid UTF-8 is reported at its line.
    QStringList lines;
    for (const QByteArray& raw : bytes.split('\n')) {
        ++lineNo;
        QStringDecoder decoder(QStringDecoder::Utf8,
                               QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        QString line = decoder.decode(raw);
        if (decoder.hasError())
            return fail();
        if (line.endsWith(u'\r'))
            line.chop(1);
        lines << line;
    }

    lineNo = 1;
    if (lines.isEmpty() || trimmedBlanks(lines.front()) != kHeader)
        return fail();

    Key* current = nullptr;
    qsizetype keys = 0;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        lineNo = int(i + 1);
        const QStringView line = trimmedBlanks(lines[i]);
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[')) {
            if (!line.endsWith(u']') || line.size() < 2)
                return fail();
            const auto names = parseSectionPath(line.sliced(1, line.size() - 2));
            if (!names)
                return fail();
            if (names->size() > kMaxDepth)
                return fail();
            current = &tree.ensure(*names, &keys);
            if (keys > kMaxKeys)
                return fail();
            continue;
        }
        if (!current)
            return fail();

        qsizetype pos = 0;
        const auto name = parseQuoted(line, pos);
        if (!name || pos >= line.size() || line[pos] != u'=')
            return fail();
        const QStringView data = line.sliced(pos + 1);
        RegValue v;
        if (data.startsWith(u"dword:")) {
            const auto n = parseHexNumber(data.sliced(6), 8);
            if (!n)
                return fail();
            v = RegValue::dword(quint32(*n));
        } else if (data.startsWith(u"qword:")) {
            const auto n = parseHexNumber(data.sliced(6), 16);
            if (!n)
                return fail();
            v = RegValue::qword(*n);
        } else if (data.startsWith(u'"')) {
            qsizetype end = 0;
            const auto s = parseQuoted(data, end);
            if (!s || end != data.size())
                return fail();
            v = RegValue::text(*s);
        } else if (data.startsWith(u"hex:")) {
            QString list = data.sliced(4).toString();
            while (list.endsWith(u'\\')) {
                list.chop(1);
                if (++i >= lines.size())
                    return fail();
                lineNo = int(i + 1);
                list += trimmedBlanks(lines[i]);
            }
            const auto bytes = parseHexBytes(list);
            if (!bytes)
                return fail();
            v = RegValue::bytes(*bytes);
        } else {
            return fail();
        }
        store(*current, *name, v);
    }
    return tree;
}

bool CSettingsTree::operator==(const CSettingsTree& other) const {
    return m_root == other.m_root;
}

} // namespace lw
