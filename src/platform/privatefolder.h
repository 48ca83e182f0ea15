#pragma once

#include <QString>

namespace Orvella {

/** A folder that must be the user's alone, as preparePrivateFolder() found or made it. */
struct PrivateFolder
{
    enum class State {
        Created,  ///< it was missing and is now made, owner-only
        Ready,    ///< it was there, the user's alone
        Repaired, ///< it was the user's, but others could reach it: made owner-only again
        Refused,  ///< it is not the user's to use (see problem); left as it was
    };

    QString path;
    State state = State::Refused;
    /** Why it is refused, as a short phrase ("it is a link"); empty otherwise. */
    QString problem;

    bool isUsable() const { return state != State::Refused; }
};

/**
 * Makes @p path a folder of the user's alone. A missing one is created
 * owner-only (its missing parents too). One that is there is judged by the
 * folder actually opened, never following a link: a link, something that is
 * not a folder, or another account's folder is refused and left untouched;
 * the user's own is made owner-only again when others could reach it.
 */
PrivateFolder preparePrivateFolder(const QString &path);

/** What the user is told, once, of a folder of theirs made private again (State::Repaired). */
QString madePrivateNote(const QString &path);

} // namespace Orvella
