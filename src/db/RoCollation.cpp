#include "db/RoCollation.h"

#include "db/DbError.h"

#include <QLocale>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QString>

#include <sqlite3.h>

#include <algorithm>
#include <vector>

RoCollation::RoCollation() : m_collator(QLocale(QLocale::Romanian, QLocale::Romania))
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
    m_collator.setNumericMode(false);
    m_collator.setIgnorePunctuation(false);
    // The order of the single characters, asked once of the collator itself.
    std::vector<char16_t> chars;
    for (char16_t c = 0x20; c < 0x7f; ++c)
        chars.push_back(c);
    auto view = [](const char16_t &c) { return QStringView(&c, 1); };
    std::stable_sort(chars.begin(), chars.end(),
                     [&](const char16_t &a, const char16_t &b) { return m_collator.compare(view(a), view(b)) < 0; });
    unsigned char rank = 0;
    for (size_t i = 0; i < chars.size(); ++i) {
        if (i == 0 || m_collator.compare(view(chars[i - 1]), view(chars[i])) != 0)
            ++rank;
        m_asciiRank[chars[i]] = rank;
    }
}

int RoCollation::compare(QStringView a, QStringView b) const
{
    return m_collator.compare(a, b);
}

const QCollatorSortKey &RoCollation::sortKey(std::string_view text) const
{
    auto found = m_keys.find(text);
    if (found == m_keys.end()) {
        const QString decoded = QString::fromUtf8(text.data(), qsizetype(text.size()));
        found = m_keys.try_emplace(std::string(text), m_collator.sortKey(decoded)).first;
    }
    return found->second;
}

int RoCollation::compareUtf8(std::string_view a, std::string_view b) const
{
    auto ranked = [this](std::string_view text) {
        for (const char c : text)
            if (static_cast<unsigned char>(c) >= 0x80 || !m_asciiRank[static_cast<unsigned char>(c)])
                return false;
        return true;
    };
    if (ranked(a) && ranked(b)) {
        const size_t n = std::min(a.size(), b.size());
        for (size_t i = 0; i < n; ++i) {
            const unsigned char x = m_asciiRank[static_cast<unsigned char>(a[i])];
            const unsigned char y = m_asciiRank[static_cast<unsigned char>(b[i])];
            if (x != y)
                return x < y ? -1 : 1;
        }
        return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
    }
    // Kept to the texts of about one sorted query; forgotten before a comparison, never
    // during one, so both keys stay valid.
    if (m_keys.size() >= 50000)
        m_keys.clear();
    const QCollatorSortKey &first = sortKey(a);
    const QCollatorSortKey &second = sortKey(b);
    return first.compare(second);
}

namespace {

// Codes (classification codes, inventory numbers, unit codes) are letters, digits and
// dots. For such texts the Romanian collation at its case-insensitive strength orders
// exactly as the bytes do once the letters are folded to one case ('.' before digits
// before letters, a shorter prefix first, no Romanian letter involved), so they are
// compared without the cost of the general comparison: index lookups by code compare
// thousands of them.
bool isPlainCode(const unsigned char *text, int length)
{
    for (int i = 0; i < length; ++i) {
        const unsigned char c = text[i];
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '.'))
            return false;
    }
    return true;
}

int comparePlainCodes(const unsigned char *a, int lengthA, const unsigned char *b, int lengthB)
{
    const int n = lengthA < lengthB ? lengthA : lengthB;
    for (int i = 0; i < n; ++i) {
        const unsigned char x = (a[i] >= 'a' && a[i] <= 'z') ? a[i] - 32 : a[i];
        const unsigned char y = (b[i] >= 'a' && b[i] <= 'z') ? b[i] - 32 : b[i];
        if (x != y)
            return x < y ? -1 : 1;
    }
    return lengthA == lengthB ? 0 : (lengthA < lengthB ? -1 : 1);
}

int sqliteCompare(void *collation, int length1, const void *text1, int length2, const void *text2)
{
    const auto *bytes1 = static_cast<const unsigned char *>(text1);
    const auto *bytes2 = static_cast<const unsigned char *>(text2);
    if (isPlainCode(bytes1, length1) && isPlainCode(bytes2, length2))
        return comparePlainCodes(bytes1, length1, bytes2, length2);
    const int result = static_cast<const RoCollation *>(collation)->compareUtf8(
        std::string_view(static_cast<const char *>(text1), size_t(length1)),
        std::string_view(static_cast<const char *>(text2), size_t(length2)));
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

void destroyCollation(void *collation)
{
    delete static_cast<RoCollation *>(collation);
}

} // namespace

void RoCollation::install(const QSqlDatabase &db)
{
    const QVariant handle = db.isOpen() && db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        throw DbError(QStringLiteral("Colatia RO cere o conexiune SQLite deschisa."), false);
    sqlite3 *connection = *static_cast<sqlite3 *const *>(handle.data());
    if (!connection)
        throw DbError(QStringLiteral("Colatia RO cere o conexiune SQLite deschisa."), false);
    auto *collation = new RoCollation;
    const int rc = sqlite3_create_collation_v2(connection, sqlName, SQLITE_UTF8, collation,
                                               sqliteCompare, destroyCollation);
    if (rc != SQLITE_OK) {
        // Unlike its other interfaces, SQLite does not free the argument on failure here.
        delete collation;
        throw DbError(QString::fromUtf8(sqlite3_errstr(rc)), false);
    }
}
