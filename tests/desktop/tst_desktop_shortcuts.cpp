// The keyboard of the real window: every shortcut reaches its command while its button is
// enabled and does nothing while it is not; Enter and Escape only inside crop mode.
#include "CButtonX.h"
#include "CPicList.h"
#include "CcsAllDlg.h"
#include "TestSupport.h"

#include <QFile>
#include <QtTest>

namespace {

// The window with its commands counted instead of carried out.
class RecordingWindow : public CcsAllDlg {
  public:
    QStringList calls;

    void onLoadPicture() override { calls << "load"; }
    void onExport() override { calls << "export"; }
    void onPrint() override { calls << "print"; }
    void onCloseButton() override { calls << "close"; }
    void onRotate() override { calls << "rotate"; }
    void onFlipHorizontal() override { calls << "flipHorizontal"; }
    void onFlipVertical() override { calls << "flipVertical"; }
    void onCompare() override { calls << "compare"; }
    void onRandomLook() override { calls << "random"; }
    void onHelp() override { calls << "help"; }
    void onConfirmCrop() override { calls << "confirmCrop"; }
    void onCancelCrop() override { calls << "cancelCrop"; }
    void onUndo() override { calls << "undo"; }
    void onRedo() override { calls << "redo"; }
};

using ButtonMember = CButtonX* CcsAllDlg::*;

} // namespace

Q_DECLARE_METATYPE(ButtonMember)

class ShortcutTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        const QString folder = TestSupport::freshWorkFolder();
        qputenv("XDG_DATA_HOME", QFile::encodeName(folder + QStringLiteral("data")));
    }

    void shortcutFollowsItsButton_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<ButtonMember>("button");
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("cropOnly");
        QTest::addColumn<QString>("tip");
        const int ctrl = int(Qt::ControlModifier);
        const int none = int(Qt::NoModifier);
        QTest::newRow("Ctrl+O") << int(Qt::Key_O) << ctrl << &CcsAllDlg::loadButton << "load" << false
                                << "Load (Ctrl+O)";
        QTest::newRow("Ctrl+S") << int(Qt::Key_S) << ctrl << &CcsAllDlg::exportButton << "export" << false
                                << "Export (Ctrl+S)";
        QTest::newRow("Ctrl+P") << int(Qt::Key_P) << ctrl << &CcsAllDlg::printButton << "print" << false
                                << "Print (Ctrl+P)";
        QTest::newRow("Ctrl+Q") << int(Qt::Key_Q) << ctrl << &CcsAllDlg::closeButton << "close" << false
                                << "close (Ctrl+Q, Ctrl+W)";
        QTest::newRow("Ctrl+W") << int(Qt::Key_W) << ctrl << &CcsAllDlg::closeButton << "close" << false
                                << "close (Ctrl+Q, Ctrl+W)";
        QTest::newRow("R") << int(Qt::Key_R) << none << &CcsAllDlg::rotateButton << "rotate" << false
                           << "Rotation (R)";
        QTest::newRow("H") << int(Qt::Key_H) << none << &CcsAllDlg::flipHorizontalButton << "flipHorizontal"
                           << false << "Flip horizontal (H)";
        QTest::newRow("V") << int(Qt::Key_V) << none << &CcsAllDlg::flipVerticalButton << "flipVertical"
                           << false << "Flip veritical (V)";
        QTest::newRow("C") << int(Qt::Key_C) << none << &CcsAllDlg::compareButton << "compare" << false
                           << "Compare (C)";
        QTest::newRow("Ctrl+R") << int(Qt::Key_R) << ctrl << &CcsAllDlg::randomButton << "random" << false
                                << "Random Effect (Ctrl+R)";
        const int ctrlShift = int(Qt::ControlModifier | Qt::ShiftModifier);
        QTest::newRow("Ctrl+Z") << int(Qt::Key_Z) << ctrl << &CcsAllDlg::undoButton << "undo" << false
                                << "Undo (Ctrl+Z)";
        QTest::newRow("Ctrl+Shift+Z") << int(Qt::Key_Z) << ctrlShift << &CcsAllDlg::redoButton << "redo"
                                      << false << "Redo (Ctrl+Shift+Z, Ctrl+Y)";
        QTest::newRow("Ctrl+Y") << int(Qt::Key_Y) << ctrl << &CcsAllDlg::redoButton << "redo" << false
                                << "Redo (Ctrl+Shift+Z, Ctrl+Y)";
        QTest::newRow("F1") << int(Qt::Key_F1) << none << &CcsAllDlg::helpButton << "help" << false
                            << "Help (F1)";
        QTest::newRow("Return") << int(Qt::Key_Return) << none << &CcsAllDlg::confirmCropButton
                                << "confirmCrop" << true << "Ok (Enter)";
        QTest::newRow("keypad Enter")
            << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << &CcsAllDlg::confirmCropButton << "confirmCrop"
            << true << "Ok (Enter)";
        QTest::newRow("Escape") << int(Qt::Key_Escape) << none << &CcsAllDlg::cancelCropButton << "cancelCrop"
                                << true << "Cancel (Esc)";
    }

    void shortcutFollowsItsButton() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(ButtonMember, button);
        QFETCH(QString, command);
        QFETCH(bool, cropOnly);
        QFETCH(QString, tip);

        RecordingWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        CButtonX* target = window.*button;
        QCOMPARE(target->tooltipText, tip);
        const auto press = [&] {
            QTest::keyClick(&window, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
            QCoreApplication::processEvents();
        };

        // Whatever the button was at start: disabled, its key does nothing.
        target->setActive(false);
        window.state().cropMode = cropOnly;
        press();
        QCOMPARE(window.calls, QStringList());

        target->setActive(true);
        if (cropOnly) {
            // Outside crop mode the key stays swallowed even with the button usable.
            window.state().cropMode = false;
            press();
            QCOMPARE(window.calls, QStringList());
            window.state().cropMode = true;
        }
        press();
        QCOMPARE(window.calls, QStringList{command});

        // The key also works with the focus on a control, and once per press.
        window.lightList->setFocus();
        press();
        QCOMPARE(window.calls, (QStringList{command, command}));
    }
};

QTEST_MAIN(ShortcutTest)
#include "tst_desktop_shortcuts.moc"
