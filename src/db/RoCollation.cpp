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
    // Printable ASCII orders by its characters' primary weights, one per character,
    // case ignored at this strength: the first character that differs decides, unless a
    // combining mark (never ASCII) follows it and changes it.
    const size_t n = std::min(a.size(), b.size());
    auto rank = [this](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x80 ? m_asciiRank[u] : 0;
    };
    auto plainNext = [](std::string_view text, size_t i) {
        return i + 1 >= text.size() || static_cast<unsigned char>(text[i + 1]) < 0x80;
    };
    size_t i = 0;
    for (; i < n; ++i) {
        const unsigned char x = rank(a[i]), y = rank(b[i]);
        if (!x || !y)
            break;
        if (x != y) {
            if (plainNext(a, i) && plainNext(b, i))
                return x < y ? -1 : 1;
            break;
        }
    }
    if (i == n) {
        // One text begins the other: the longer one follows unless the rest is not plain.
        const std::string_view rest = a.size() > n ? a.substr(n) : b.substr(n);
        if (std::all_of(rest.begin(), rest.end(), [&](char c) { return rank(c) != 0; }))
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

int sqliteCompare(void *collation, int length1, const void *text1, int length2, const void *text2)
{
    // Codes (letters, digits, dots), compared thousands of times by index lookups, and
    // most names take the ASCII way of compareUtf8.
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
