#pragma once

class QLabel;
class QObject;

namespace Orvella {

/**
 * Makes screen readers meet @p label as what it is on screen: a link, named
 * by its visible text, whose press action does what a click does.
 */
void exposeAsLink(QLabel *label);

/**
 * Drops what Qt has described of @p object so far, so that it is described
 * afresh: needed when an object changes what kind of thing it is after it
 * was made.
 */
void forgetAccessibleInterface(QObject *object);

} // namespace Orvella
