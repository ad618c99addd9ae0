// Failure reports from threads running at once: every line on standard error arrives whole.
#include "MagickBridge.h"
#include "StderrCapture.h"

#include <QRegularExpression>
#include <QtTest>

#include <thread>

class ReportLinesTest : public QObject {
    Q_OBJECT
  private slots:
    void linesFromTwoThreadsStayWhole_data() {
        QTest::addColumn<int>("descriptionLength");
        QTest::newRow("short description") << 60;
        QTest::newRow("description with a long path") << 4000;
        QTest::newRow("description longer than a stdio buffer") << 12000;
    }

    void linesFromTwoThreadsStayWhole() {
        QFETCH(int, descriptionLength);
        constexpr int kLines = 300;
        const QByteArray worker(descriptionLength, 'w');
        const QByteArray window(descriptionLength, 'v');
        const auto report = [](const char* routine, const QByteArray& description) {
            for (int i = 0; i < kLines; ++i)
                reportFailure(routine, static_cast<unsigned long>(i), description.constData());
        };
        QByteArray text;
        {
            StderrCapture capture;
            std::thread first(report, "self_DrawThread2", std::cref(worker));
            std::thread second(report, "CcsAllDlg::run_effect_function", std::cref(window));
            first.join();
            second.join();
            text = capture.text();
        }

        QVERIFY(text.endsWith('\n'));
        text.chop(1);
        const QList<QByteArray> lines = text.split('\n');
        QCOMPARE(lines.size(), 2 * kLines);
        const QRegularExpression wellFormed(
            QStringLiteral(
                "^veZirDlg (?:self_DrawThread2 (\\d+) w{%1}|CcsAllDlg::run_effect_function (\\d+) v{%1})$")
                .arg(descriptionLength));
        // Each thread's lines arrive in the order it wrote them.
        int nextWorkerLine = 0;
        int nextWindowLine = 0;
        for (const QByteArray& line : lines) {
            const QRegularExpressionMatch match = wellFormed.match(QString::fromLatin1(line));
            QVERIFY2(match.hasMatch(), line.left(120).constData());
            if (match.capturedLength(1) > 0)
                QCOMPARE(match.captured(1).toInt(), nextWorkerLine++);
            else
                QCOMPARE(match.captured(2).toInt(), nextWindowLine++);
        }
        QCOMPARE(nextWorkerLine, kLines);
        QCOMPARE(nextWindowLine, kLines);
    }
};

QTEST_GUILESS_MAIN(ReportLinesTest)
#include "tst_report_lines.moc"
