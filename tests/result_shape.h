#pragma once

#include <QRegularExpression>
#include <QString>

// Whether a text is one of the two results a solve writes: the discriminant
// line, then the complex-roots line or the heading with the X and Y lines.
inline bool isResultShape(const QString& text)
{
    static const QRegularExpression shape(QStringLiteral(
        "\\AДискриминанта: (?<n>-?[0-9]+(,[0-9]+)?(E[+-][0-9]{2,3})?)\r\n"
        "(Корените на системата са комплексни!\r\n"
        "|Корените на системата са:\r\nX = (?&n)\r\nY = (?&n)\r\n)\\z"));
    return shape.match(text).hasMatch();
}
