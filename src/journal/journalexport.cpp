#include "journalexport.h"

namespace Orvella {

namespace {

// Written by hand rather than through QJsonDocument, which orders keys
// alphabetically: the export keeps the order its documentation shows.
void appendJsonString(QByteArray &out, const QString &text)
{
    out += '"';
    for (const char c : text.toUtf8()) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20)
                out += QByteArray("\\u00")
                       + QByteArray::number(uchar(c), 16).rightJustified(2, '0');
            else
                out += c;
        }
    }
    out += '"';
}

void appendField(QByteArray &out, const char *key, const QString &value)
{
    out += '"';
    out += key;
    out += "\": ";
    appendJsonString(out, value);
}

QString dateText(const QDate &date)
{
    return date.isValid() ? date.toString(Qt::ISODate) : QString();
}

QString cardsText(const JournalEntry &entry)
{
    QStringList cards;
    for (const JournalCard &card : entry.cards) {
        cards << QStringLiteral("%1. %2: %3%4")
                                    .arg(card.position)
                                    .arg(card.title, card.cardName,
                                         card.reversed ? QStringLiteral(" (reversed)") : QString());
    }
    return cards.join(QStringLiteral("; "));
}

QByteArray csvField(const QString &text)
{
    QByteArray field = text.toUtf8();
    // A spreadsheet runs a field that begins as a formula does: a note taken in
    // from someone else's export could reach out when this file is opened. Led by
    // an apostrophe, it stays text.
    if (!field.isEmpty() && QByteArrayView("=+-@\t\r").contains(field.front()))
        field.prepend('\'');
    if (field.contains(',') || field.contains('"') || field.contains('\n')
        || field.contains('\r')) {
        field.replace('"', "\"\"");
        field = '"' + field + '"';
    }
    return field;
}

} // namespace

QByteArray journalJson(const QList<JournalEntry> &entries)
{
    QByteArray out;
    out.reserve(entries.size() * 1024 + 128);
    out += "{\"format\": \"";
    out += JournalFormat;
    out += "\", \"version\": " + QByteArray::number(JournalFormatVersion) + ", \"readings\": [";
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const JournalEntry &entry = entries[i];
        out += i ? ",\n  {" : "\n  {";
        const std::pair<const char *, QString> fields[] = {
            {"time", entry.timeText()},
            {"name", entry.name},
            {"spread", entry.spreadName},
            {"source", journalSourceName(entry.source)},
            {"file", entry.file},
            {"question", entry.question},
            {"notes", entry.notes},
        };
        for (const auto &[key, value] : fields) {
            if (key != fields[0].first)
                out += ", ";
            appendField(out, key, value);
        }
        out += ", \"cards\": [";
        for (qsizetype c = 0; c < entry.cards.size(); ++c) {
            const JournalCard &card = entry.cards[c];
            out += c ? ", {\"position\": " : "{\"position\": ";
            out += QByteArray::number(card.position) + ", ";
            appendField(out, "title", card.title);
            out += ", ";
            appendField(out, "card", card.cardName);
            out += card.reversed ? ", \"reversed\": true}" : ", \"reversed\": false}";
        }
        // Came after the first version of this format: after its keys, which stay as they were.
        out += "], ";
        appendField(out, "outcome", entry.outcome);
        out += ", ";
        appendField(out, "outcomeDate", dateText(entry.outcomeDate));
        out += '}';
    }
    out += entries.isEmpty() ? "]}\n" : "\n]}\n";
    return out;
}

QByteArray journalCsv(const QList<JournalEntry> &entries)
{
    QByteArray out = "time,name,spread,source,file,question,notes,outcome,outcomeDate,cards\r\n";
    for (const JournalEntry &entry : entries) {
        const QList<QString> fields{
            entry.timeText(), entry.name,     entry.spreadName, journalSourceName(entry.source),
            entry.file,       entry.question, entry.notes,      entry.outcome,
            dateText(entry.outcomeDate), cardsText(entry)};
        for (qsizetype i = 0; i < fields.size(); ++i) {
            if (i)
                out += ',';
            out += csvField(fields[i]);
        }
        out += "\r\n";
    }
    return out;
}

bool exportsAsCsv(const QString &name)
{
    return name.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive);
}

QByteArray journalExportFor(const QString &name, const QList<JournalEntry> &entries)
{
    return exportsAsCsv(name) ? journalCsv(entries) : journalJson(entries);
}

} // namespace Orvella
