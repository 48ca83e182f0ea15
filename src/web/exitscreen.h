#pragma once

#include "referral.h"

#include <QWidget>

#include <memory>

namespace Ui {
class ExitScreen;
}

namespace Orvella {

class Platform;
class RandomSource;

/**
 * frmExitScreen: shown when the main window is closed. It advertises the
 * maker's programs and forum and offers the refer-a-friend form; closing it,
 * by "E&xit" or by the close box, emits exitRequested() and the program ends.
 * Constructing it is its load step: it reseeds the generator and picks the
 * support text, whether it is shown at once or kept hidden for later.
 */
class ExitScreen : public QWidget
{
    Q_OBJECT

public:
    explicit ExitScreen(Platform &platform, RandomSource &random, QWidget *parent = nullptr);
    ~ExitScreen() override;

    static constexpr int SupportTextCount = 4;
    /** The whole part of r x 4, kept within 0 to 3. */
    static int supportTextIndex(double r);
    /** The support text of @p index, or an empty text outside 0 to 3. */
    static QString supportText(int index);

    /** The texts of the last press of "Refer A Friend &Now". */
    const ReferralRecord &referral() const { return m_referral; }

    /** Checks the name, message and friend's name, then opens the referral page. */
    void SubmitReferral();

signals:
    /** The user closed the window, by "E&xit" or by its close box. */
    void exitRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void cmdSubmit_Click();
    void Check1_Click();
    QString boxText(QObject *box) const;
    void setBoxText(QObject *box, const QString &text);
    QString placeholderOf(QObject *box) const;
    void refuse(const QString &message);

    std::unique_ptr<Ui::ExitScreen> m_ui;
    Platform &m_platform;
    ReferralRecord m_referral;
    /** The box that lost the focus to another window or a popup, not to another box. */
    QObject *m_focusAway = nullptr;
};

} // namespace Orvella
