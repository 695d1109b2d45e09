#ifndef GENERATEDSEARCHPAGE_H
#define GENERATEDSEARCHPAGE_H

#include <QByteArray>

// A result page of `rows` rows with ids from `firstId`, shaped as the service writes them,
// with sizes and ages that vary from row to row.
inline QByteArray generatedSearchPage(int firstId, int rows)
{
    QByteArray html = "<html><body><table>";
    for (int i = 0; i < rows; ++i) {
        const QByteArray id = QByteArray::number(firstId + i);
        html += "<tr><td><input type=\"checkbox\" name=\"" + id + "\">\n<td><span class=\"s\">Generated row " + id
                + "</span> <a href=\"?b=" + id + "\">collection</a>size: " + QByteArray::number((i * 37) % 900 + 1)
                + "&nbsp;MB,<br>parts available: 5 / 5<br><td><a href=\"?q=p\">poster" + id
                + "</a><td><a href=\"?g=a.b.test\">a.b.test</a><td>" + QByteArray::number(i % 50 + 1) + "d";
    }
    return html + "</table></body></html>";
}

#endif // GENERATEDSEARCHPAGE_H
