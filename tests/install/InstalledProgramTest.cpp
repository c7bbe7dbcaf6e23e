// `cmake --install` of this build into a temporary prefix, checked the way a desktop uses it: the
// menu entry names an installed program and icon, the icon has every size the theme promises,
// the software-centre entry points at the menu entry, and the installed program starts, shows
// its main window and quits cleanly when the window is closed.
#include "Application.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#ifdef RATSIONIK_HAVE_XCB
#include "XDisplay.h"
#endif

#include <csignal>

namespace {

// The keys of the [Desktop Entry] group; enough of the format for the keys used here.
QMap<QString, QString> ReadDesktopEntry(const QString& path) {
    QFile file(path);
    QMap<QString, QString> keys;
    if (!file.open(QIODevice::ReadOnly)) return keys;
    bool inMainGroup = false;
    for (const QByteArray& rawLine : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inMainGroup = line == QStringLiteral("[Desktop Entry]");
        else if (inMainGroup && line.contains(QLatin1Char('=')))
            keys.insert(line.section(QLatin1Char('='), 0, 0).trimmed(),
                        line.section(QLatin1Char('='), 1).trimmed());
    }
    return keys;
}

// The text of the first element with this name in an XML file.
QString ElementText(const QString& path, const QString& element) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == element)
            return xml.readElementText().trimmed();
    }
    return {};
}

// The environment of the installed program: no Qt settings of ours leak in but those given.
QProcessEnvironment ProgramEnvironment(const QString& runtimeDir) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name :
         {"QT_QPA_PLATFORM", "QT_DEBUG_PLUGINS", "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS",
          "QT_ENABLE_HIGHDPI_SCALING", "QT_FONT_DPI", "WAYLAND_DISPLAY", "DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir);
    return environment;
}

QString Describe(QProcess& process) {
    return QStringLiteral("exit status %1, code %2, output: %3")
        .arg(process.exitStatus())
        .arg(process.exitCode())
        .arg(QString::fromLocal8Bit(process.readAll()));
}

} // namespace

class InstalledProgramTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_root;    // holds usr/ as a package would lay it out
    QTemporaryDir m_runtime; // XDG_RUNTIME_DIR of the started program
    QDir m_prefix;
    QMap<QString, QString> m_entry;

    QString installed(const QString& relativePath) const { return m_prefix.filePath(relativePath); }
    QString program() const {
        return installed(QStringLiteral("bin/") + m_entry.value(QStringLiteral("Exec")));
    }

private slots:
    void initTestCase() {
        SetUpApplication();
        QVERIFY(m_root.isValid());
        QVERIFY(m_runtime.isValid());
        m_prefix.setPath(m_root.filePath(QStringLiteral("usr")));
        QProcess install;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DESTDIR"));
        install.setProcessEnvironment(environment);
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(QString::fromUtf8(RATSIONIK_CMAKE_COMMAND),
                      {QStringLiteral("--install"), QString::fromUtf8(RATSIONIK_BUILD_DIR),
                       QStringLiteral("--prefix"), m_prefix.path()});
        QVERIFY(install.waitForFinished(120000));
        QVERIFY2(install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0,
                 qPrintable(Describe(install)));
        // The menu entry carries the name the program gives its windows, so that the desktop
        // shows them under its entry and icon.
        const QString entryPath = installed(QStringLiteral("share/applications/%1.desktop")
                                                .arg(QGuiApplication::desktopFileName()));
        m_entry = ReadDesktopEntry(entryPath);
        QVERIFY2(!m_entry.isEmpty(), qPrintable(entryPath));
    }

    void menuEntryStartsTheInstalledProgram() {
        // The program takes no arguments, so Exec is the bare name found on the installed PATH.
        const QString exec = m_entry.value(QStringLiteral("Exec"));
        QVERIFY2(!exec.isEmpty() && !exec.contains(QLatin1Char(' ')) &&
                     !exec.contains(QLatin1Char('%')),
                 qPrintable(exec));
        const QFileInfo binary(program());
        QVERIFY2(binary.isFile() && binary.isExecutable(), qPrintable(binary.filePath()));
        QCOMPARE(m_entry.value(QStringLiteral("Terminal")), QStringLiteral("false"));
        QVERIFY(QFileInfo(installed(QStringLiteral("share/man/man1/%1.1.gz").arg(exec))).isFile());
    }

    void themeHasEveryIconSize_data() {
        QTest::addColumn<int>("size");
        for (int size : {24, 32, 48, 64, 128, 256})
            QTest::addRow("%d px", size) << size;
    }

    // Each size directory holds the rendering of that size: a desktop shows what it finds there
    // without scaling it.
    void themeHasEveryIconSize() {
        QFETCH(int, size);
        const QString path = installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png")
                                           .arg(size)
                                           .arg(m_entry.value(QStringLiteral("Icon"))));
        const QImage icon(path);
        QVERIFY2(!icon.isNull(), qPrintable(path));
        QCOMPARE(icon.size(), QSize(size, size));
        QVERIFY(icon.hasAlphaChannel());
    }

    void themeHasScalableIcon() {
        const QString path = installed(QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg")
                                           .arg(m_entry.value(QStringLiteral("Icon"))));
        QFile svg(path);
        QVERIFY2(svg.open(QIODevice::ReadOnly), qPrintable(path));
        QVERIFY(svg.readAll().contains("<svg"));
    }

    // Software centres find the entry by its file name and start the program through its
    // launchable; appstreamcli checks the installed tree as a whole, menu entry included.
    void softwareCentreEntryPointsAtMenuEntry() {
        const QStringList entries = QDir(installed(QStringLiteral("share/metainfo")))
                                        .entryList({QStringLiteral("*.metainfo.xml")}, QDir::Files);
        QCOMPARE(entries.size(), 1);
        const QString path = installed(QStringLiteral("share/metainfo/") + entries.first());
        QCOMPARE(ElementText(path, QStringLiteral("id")) + QStringLiteral(".metainfo.xml"),
                 entries.first());
        QCOMPARE(ElementText(path, QStringLiteral("launchable")),
                 QGuiApplication::desktopFileName() + QStringLiteral(".desktop"));

        QProcess validator;
        validator.setProcessChannelMode(QProcess::MergedChannels);
        validator.start(
            QString::fromUtf8(RATSIONIK_APPSTREAMCLI),
            {QStringLiteral("validate-tree"), QStringLiteral("--no-net"), m_root.path()});
        QVERIFY2(validator.waitForFinished(60000), qPrintable(validator.errorString()));
        QVERIFY2(validator.exitStatus() == QProcess::NormalExit && validator.exitCode() == 0,
                 qPrintable(Describe(validator)));
    }

    // The test platform has no window manager, so nothing can close the window from outside:
    // the program must start and stay up, and is then ended with SIGTERM.
    void staysUpUnderOffscreenPlatform() {
        QProcess process;
        QProcessEnvironment environment = ProgramEnvironment(m_runtime.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program(), {});
        QVERIFY2(process.waitForStarted(10000), qPrintable(process.errorString()));
        QVERIFY2(!process.waitForFinished(1500), qPrintable(Describe(process)));
        process.terminate();
        QVERIFY(process.waitForFinished(10000));
        QVERIFY2(process.exitStatus() == QProcess::CrashExit && process.exitCode() == SIGTERM,
                 qPrintable(Describe(process)));
    }

    void showsWindowUnderXAndClosesCleanly_data() {
        QTest::addColumn<QString>("scaleFactor");
        QTest::addColumn<QSize>("windowSize");
        // The main window's layout is fixed in pixels at 100 %; scaled, it keeps its proportions.
        QTest::newRow("100 %") << QStringLiteral("1") << QSize(784, 558);
        QTest::newRow("150 %") << QStringLiteral("1.5") << QSize(1176, 837);
        QTest::newRow("200 %") << QStringLiteral("2") << QSize(1568, 1116);
    }

    // Under a real X server the window is seen as a window manager sees it, and closed the way
    // one closes it when the user clicks the close button.
    void showsWindowUnderXAndClosesCleanly() {
#ifndef RATSIONIK_HAVE_XCB
        QSKIP("built without the xcb headers (libxcb1-dev)");
#else
        QFETCH(QString, scaleFactor);
        QFETCH(QSize, windowSize);
        if (VirtualScreen::serverProgram().isEmpty())
            QSKIP("Xvfb is not installed (Debian package xvfb)");
        VirtualScreen screen;
        const QString display = screen.start(QSize(2000, 1400));
        QVERIFY2(!display.isEmpty(), qPrintable(screen.error()));
        XClient x(display);
        QVERIFY(x.connected());

        QProcess process;
        QProcessEnvironment environment = ProgramEnvironment(m_runtime.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.insert(QStringLiteral("DISPLAY"), display);
        environment.insert(QStringLiteral("QT_SCALE_FACTOR"), scaleFactor);
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program(), {});
        QVERIFY2(process.waitForStarted(10000), qPrintable(process.errorString()));

        xcb_window_t window = 0;
        for (int waited = 0; window == 0 && waited < 15000; waited += 50) {
            QVERIFY2(process.state() == QProcess::Running, qPrintable(Describe(process)));
            QTest::qWait(50);
            window = x.shownWindowOf(process.processId());
        }
        QVERIFY2(window != 0, "no window shown");
        QCOMPARE(x.size(window), windowSize);
        // The desktop ties the window to the menu entry by the instance part of WM_CLASS.
        QCOMPARE(x.windowClass(window).value(0), m_entry.value(QStringLiteral("StartupWMClass")));

        // It stays up, window shown, until closed.
        QVERIFY2(!process.waitForFinished(1000), qPrintable(Describe(process)));
        QVERIFY(x.isViewable(window));

        x.askToClose(window);
        QVERIFY2(process.waitForFinished(10000), "still running after its window was closed");
        QVERIFY2(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
                 qPrintable(Describe(process)));
#endif
    }
};

QTEST_MAIN(InstalledProgramTest)
#include "InstalledProgramTest.moc"
