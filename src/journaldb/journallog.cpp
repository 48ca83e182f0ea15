#include "journallog.h"

#include <QIODevice>
#include <QtEndian>

// The log's make-up is SQLite's file format: a 32-byte header, then frames of
// a 24-byte header and a page each, every one summed with all before it.

namespace Orvella::JournalLog {

namespace {

constexpr qsizetype HeaderSize = 32;
constexpr qsizetype FrameHeaderSize = 24;
constexpr quint32 LittleEndianSums = 0x377f0682;
constexpr quint32 BigEndianSums = 0x377f0683;

quint32 bigEndianWord(QByteArrayView bytes, qsizetype at)
{
    return qFromBigEndian<quint32>(bytes.data() + at);
}

class RunningSum
{
public:
    explicit RunningSum(bool bigEndian) : m_bigEndian(bigEndian) {}

    void add(QByteArrayView bytes)
    {
        for (qsizetype at = 0; at + 8 <= bytes.size(); at += 8) {
            m_first += word(bytes, at) + m_second;
            m_second += word(bytes, at + 4) + m_first;
        }
    }
    bool matches(QByteArrayView bytes, qsizetype at) const
    {
        return m_first == bigEndianWord(bytes, at) && m_second == bigEndianWord(bytes, at + 4);
    }

private:
    quint32 word(QByteArrayView bytes, qsizetype at) const
    {
        return m_bigEndian ? qFromBigEndian<quint32>(bytes.data() + at)
                           : qFromLittleEndian<quint32>(bytes.data() + at);
    }

    bool m_bigEndian;
    quint32 m_first = 0;
    quint32 m_second = 0;
};

} // namespace

bool losesChanges(QIODevice &log)
{
    const QByteArray header = log.read(HeaderSize);
    if (header.size() < HeaderSize)
        return false;
    const quint32 magic = bigEndianWord(header, 0);
    const quint32 pageSize = bigEndianWord(header, 8);
    // Not a log SQLite reads at all: it then holds nothing to pass over either.
    if ((magic != LittleEndianSums && magic != BigEndianSums) || pageSize < 512
        || pageSize > 65536 || (pageSize & (pageSize - 1)) != 0)
        return false;
    const quint32 salt1 = bigEndianWord(header, 16);
    const quint32 salt2 = bigEndianWord(header, 20);
    RunningSum sum(magic == BigEndianSums);
    sum.add(QByteArrayView(header).first(24));
    bool sound = sum.matches(header, 24);
    QByteArray frame(FrameHeaderSize + pageSize, Qt::Uninitialized);
    while (log.read(frame.data(), frame.size()) == frame.size()) {
        // Frames of earlier runs, written over only in part, carry other salts.
        const bool ofThisRun = bigEndianWord(frame, 8) == salt1
                               && bigEndianWord(frame, 12) == salt2;
        if (!sound) {
            // Only a commit past the damage is lost. A change rolled back
            // leaves frames of this run whose sums no longer hold (a page it
            // wrote twice was written over in place, to be summed again only
            // at its commit; the next commit writes over its first frames),
            // and none of them is a commit: nothing is lost there.
            if (ofThisRun && bigEndianWord(frame, 4) != 0)
                return true;
            continue;
        }
        sum.add(QByteArrayView(frame).first(8));
        sum.add(QByteArrayView(frame).sliced(FrameHeaderSize));
        sound = ofThisRun && sum.matches(frame, 16);
    }
    return false;
}

} // namespace Orvella::JournalLog
