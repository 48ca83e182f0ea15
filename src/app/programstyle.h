#pragma once

#include <QPixmap>
#include <QProxyStyle>

class QApplication;

namespace Orvella {

/**
 * The platform's style, drawing exactly as it does, with its two stock
 * pictures our windows show (the group box frame of the Fusion style and the
 * menu bar's overflow arrow) read as PNG directly. Qt loads such pictures
 * with the format left open, which loads every image plugin (svg with its
 * library, jpeg, gif, ico) to ask each about the file: about 2 ms and 0.4 MiB
 * at start-up that no picture of ours needs.
 */
class ProgramStyle : public QProxyStyle
{
public:
    /** Wraps the style called @p key (as QStyleFactory names them). */
    explicit ProgramStyle(const QString &key);
    /** Wraps @p base, which it then owns. */
    explicit ProgramStyle(QStyle *base);

    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;

private:
    /** Fusion's group box frame, read when first drawn; null for any other style. */
    const QPixmap &fusionGroupBox() const;

    bool m_fusion = false;
    mutable QPixmap m_fusionGroupBox;
};

/**
 * Gives @p application a ProgramStyle around the style it chose (-style and
 * QT_STYLE_OVERRIDE count): that very style, not a second one made like it.
 */
void installProgramStyle(QApplication &application);

} // namespace Orvella
