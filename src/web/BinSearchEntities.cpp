// BinSearch: the HTML entities that result pages use in subjects and posters.
#include "web/BinSearch.h"

#include <QList>
#include <QPair>

namespace {

using Entity = QPair<QString, QString>;

class EntityTable
{
public:
    // A sign: both spellings of its name give the same character.
    EntityTable &sign(const char *name, char16_t character)
    {
        return both(name, QString(QChar(character)), QString(QChar(character)));
    }
    // A letter: the case of the name's initial chooses the case of the letter.
    EntityTable &letter(const char *name, char16_t capital, char16_t small)
    {
        return both(name, QString(QChar(capital)), QString(QChar(small)));
    }
    EntityTable &removed(const char *name) { return both(name, QString(), QString()); }
    EntityTable &one(const char *entity, char16_t character)
    {
        entities.append({QString::fromLatin1(entity), QString(QChar(character))});
        return *this;
    }
    const QList<Entity> &list() const { return entities; }

private:
    EntityTable &both(const char *name, const QString &forCapital, const QString &forSmall)
    {
        QString capitalised = QString::fromLatin1(name);
        capitalised[0] = capitalised.at(0).toUpper();
        entities.append({QLatin1Char('&') + capitalised + QLatin1Char(';'), forCapital});
        entities.append({QLatin1Char('&') + capitalised.toLower() + QLatin1Char(';'), forSmall});
        return *this;
    }

    QList<Entity> entities;
};

// The order matters: "&amp;" goes after the quotes and before everything else.
QList<Entity> buildEntityTable()
{
    EntityTable table;
    table.sign("quot", u'"').sign("amp", u'&').sign("euro", u'\u20AC');
    table.one("&lt;", u'<').one("&Lt;", u'<');
    table.sign("gt", u'>');
    table.letter("oelig", u'\u0152', u'\u0153');
    table.one("&Yuml;", u'\u0178').one("&yuml;", u'\u00FF').one("&#376;", u'\u0178');
    table.sign("nbsp", u' ').sign("iexcl", u'\u00A1');
    const char *const signsA2[] = {"cent", "pound", "curren", "yen", "brvbar", "sect", "uml", "copy", "ordf",
                                   "laquo", "not"};
    char16_t code = 0x00A2;
    for (const char *name : signsA2)
        table.sign(name, code++);
    table.removed("shy").sign("reg", u'\u00AE');
    const char *const signsB0[] = {"deg", "plusmn", "sup2", "sup3", "acute", "micro", "para", "middot",
                                   "cedil", "sup1", "ordm", "raquo", "frac14", "frac12", "frac34", "iquest"};
    code = 0x00B0;
    for (const char *name : signsB0)
        table.sign(name, code++);
    const char *const lettersC0[] = {"agrave", "aacute", "acirc", "atilde", "auml", "aring", "aelig"};
    code = 0x00C0;
    for (const char *name : lettersC0) {
        table.letter(name, code, char16_t(code + 0x20));
        ++code;
    }
    table.sign("apos", u'\'');
    table.letter("ccedil", u'\u00C7', u'\u00E7').letter("egrave", u'\u00C8', u'\u00E8');
    table.letter("eacute", u'\u00C9', u'\u00E9').letter("ugrave", u'\u00D9', u'\u00F9');
    table.letter("uuml", u'\u00DC', u'\u00FC').letter("ucirc", u'\u00DB', u'\u00FB');
    table.letter("ecirc", u'\u00CA', u'\u00EA').letter("euml", u'\u00CB', u'\u00EB');
    table.letter("igrave", u'\u00CC', u'\u00EC').letter("iacute", u'\u00CD', u'\u00ED');
    table.letter("icirc", u'\u00CE', u'\u00EE').letter("iuml", u'\u00CF', u'\u00EF');
    table.one("&eth;", u'\u00F0');
    table.letter("ntilde", u'\u00D1', u'\u00F1').letter("ograve", u'\u00D2', u'\u00F2');
    table.letter("oacute", u'\u00D3', u'\u00F3').letter("ocirc", u'\u00D4', u'\u00F4');
    table.letter("otilde", u'\u00D5', u'\u00F5');
    table.sign("ensp", u' ').sign("trade", u'\u2122').sign("macr", u'\u00AF');
    return table.list();
}

} // namespace

QString BinSearch::decodeHtmlEntities(const QString &text)
{
    // Every entity begins with "&", and only "&amp;" gives one.
    if (!text.contains(QLatin1Char('&')))
        return text;
    static const QList<Entity> table = buildEntityTable();
    QString decoded = text;
    for (const Entity &entity : table)
        decoded.replace(entity.first, entity.second);
    return decoded;
}

int BinSearch::htmlEntityCount()
{
    return buildEntityTable().size();
}
