// A play list written by the program, loaded in a real headless Chromium driven over WebDriver
// (chromedriver): a row's button loads its file into the player and checks the row's radio.

#include "core/messages.h"
#include "structures/skrivtekstfiler.h"
#include "support/headlessdialogs.h"
#include "support/testdrives.h"

#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <optional>

namespace {

const char *const kElementKey = "element-6066-11e4-a52e-4f735466cecf";
const std::chrono::milliseconds kDriverStartLimit{60000};

// One WebDriver session on a chromedriver of this test's own.
class Browser
{
public:
    ~Browser() { stop(); }

    // Why the browser could not be had, or "" once a session runs.
    QString start()
    {
        const QString driver = QStandardPaths::findExecutable("chromedriver");
        QString chromium = QStandardPaths::findExecutable("chromium");
        if (chromium.isEmpty())
            chromium = QStandardPaths::findExecutable("chromium-browser");
        if (driver.isEmpty() || chromium.isEmpty())
            return "chromedriver or chromium not found (Debian packages chromium-driver and chromium)";
        if (!m_home.isValid() || !m_profile.isValid())
            return "no temporary folder";
        QTcpServer probe;
        if (!probe.listen(QHostAddress::LocalHost))
            return "no free local port";
        m_port = probe.serverPort();
        probe.close();
        // The browser's own files go to a home of the test's own.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", m_home.path());
        m_driver.setProcessEnvironment(environment);
        m_driver.setProcessChannelMode(QProcess::MergedChannels);
        m_driver.start(driver, {"--port=" + QString::number(m_port)});
        if (!m_driver.waitForStarted())
            return "chromedriver did not start: " + m_driver.errorString();
        // Ready when its status says so; a driver that hangs must not hold up the whole suite.
        const QDeadlineTimer deadline(kDriverStartLimit);
        for (;;) {
            const auto status = request("GET", "/status");
            if (status && status->value("value").toObject().value("ready").toBool())
                break;
            if (m_driver.state() == QProcess::NotRunning)
                return "chromedriver ended: " + QString::fromLocal8Bit(m_driver.readAll());
            if (deadline.hasExpired())
                return QString("chromedriver was not ready within %1 s")
                    .arg(kDriverStartLimit.count() / 1000);
            QTest::qWait(100);
        }
        const QJsonArray arguments{"--headless",
                                   "--no-sandbox",
                                   "--disable-gpu",
                                   "--no-first-run",
                                   "--disable-background-networking",
                                   "--disable-component-update",
                                   "--disable-sync",
                                   "--allow-file-access-from-files",
                                   "--autoplay-policy=no-user-gesture-required",
                                   "--user-data-dir=" + m_profile.path()};
        const QJsonObject options{{"binary", chromium}, {"args", arguments}};
        const QJsonObject capabilities{{"alwaysMatch", QJsonObject{{"goog:chromeOptions", options}}}};
        const auto session = request("POST", "/session", QJsonObject{{"capabilities", capabilities}});
        m_session = session ? session->value("value").toObject().value("sessionId").toString() : QString();
        if (m_session.isEmpty())
            return "no browser session: " +
                   (session ? QString::fromUtf8(QJsonDocument(*session).toJson(QJsonDocument::Compact))
                            : QString("no answer"));
        return QString();
    }

    // Ends the session (and the browser) and then the driver, waiting for both.
    void stop()
    {
        if (!m_session.isEmpty())
            request("DELETE", "/session/" + m_session);
        m_session.clear();
        if (m_driver.state() != QProcess::NotRunning) {
            m_driver.terminate();
            if (!m_driver.waitForFinished(10000)) {
                m_driver.kill();
                m_driver.waitForFinished();
            }
        }
    }

    bool open(const QUrl &url)
    {
        return command("POST", "/url", QJsonObject{{"url", url.toString()}}).has_value();
    }

    // The element ids of all elements a CSS selector finds.
    QStringList elements(const QString &selector)
    {
        QStringList ids;
        const auto found =
            command("POST", "/elements", QJsonObject{{"using", "css selector"}, {"value", selector}});
        if (found) {
            for (const QJsonValue &element : found->toArray())
                ids << element.toObject().value(kElementKey).toString();
        }
        return ids;
    }

    bool click(const QString &element)
    {
        return command("POST", "/element/" + element + "/click", QJsonObject{}).has_value();
    }

    QJsonValue script(const QString &body)
    {
        return command("POST", "/execute/sync", QJsonObject{{"script", body}, {"args", QJsonArray{}}})
            .value_or(QJsonValue());
    }

private:
    // The "value" of a command's answer; none for an error.
    std::optional<QJsonValue> command(const QByteArray &verb, const QString &path, const QJsonObject &body)
    {
        const auto answer = request(verb, "/session/" + m_session + path, body);
        if (!answer || answer->value("value").toObject().contains("error")) {
            qWarning() << "WebDriver" << path << (answer ? QJsonDocument(*answer).toJson() : "no answer");
            return std::nullopt;
        }
        return answer->value("value");
    }

    static QByteArray unchunked(const QByteArray &content)
    {
        QByteArray joined;
        for (qsizetype at = 0;;) {
            const qsizetype line = content.indexOf("\r\n", at);
            bool ok = false;
            const qsizetype size = content.mid(at, line - at).trimmed().toLongLong(&ok, 16);
            if (line < 0 || !ok || size == 0)
                break;
            joined += content.mid(line + 2, size);
            at = line + 2 + size + 2;
        }
        return joined;
    }

    // One HTTP/1.1 exchange on a connection of its own.
    // A plain socket, so that no network plugin of Qt is loaded into the test.
    std::optional<QJsonObject> request(const QByteArray &verb, const QString &path,
                                       const std::optional<QJsonObject> &body = std::nullopt)
    {
        const QByteArray data = body ? QJsonDocument(*body).toJson(QJsonDocument::Compact) : QByteArray();
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, m_port);
        if (!socket.waitForConnected(5000))
            return std::nullopt;
        socket.write(
            verb + " " + path.toUtf8() + " HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(m_port) +
            "\r\nContent-Type: application/json\r\nContent-Length: " + QByteArray::number(data.size()) +
            "\r\nConnection: close\r\n\r\n" + data);
        // The answer ends where its length says, or with the last chunk, or when the driver closes.
        QByteArray answer;
        QByteArray content;
        for (;;) {
            const qsizetype end = answer.indexOf("\r\n\r\n");
            if (end >= 0) {
                const QByteArray head = answer.left(end).toLower();
                content = answer.mid(end + 4);
                const qsizetype length = head.indexOf("content-length:");
                if (length >= 0) {
                    const qsizetype lineEnd = head.indexOf("\r\n", length);
                    const qsizetype size = head.mid(length + 15, lineEnd < 0 ? -1 : lineEnd - length - 15)
                                               .trimmed()
                                               .toLongLong();
                    if (content.size() >= size) {
                        content.truncate(size);
                        break;
                    }
                } else if (head.contains("transfer-encoding: chunked") && content.endsWith("0\r\n\r\n")) {
                    content = unchunked(content);
                    break;
                }
            }
            if (socket.state() != QAbstractSocket::ConnectedState && socket.bytesAvailable() == 0)
                break;
            if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(60000))
                break;
            answer += socket.readAll();
        }
        const QJsonDocument document = QJsonDocument::fromJson(content);
        if (!document.isObject())
            return std::nullopt;
        return document.object();
    }

    QTemporaryDir m_home;
    QTemporaryDir m_profile;
    QProcess m_driver;
    quint16 m_port = 0;
    QString m_session;
};

// The host path the player's source stands for, the file URL decoded: its own source once a
// button set it, else that of its <source> child.
const char *const kPlayerPath = "const e = document.getElementById('afspiller');"
                                "const s = e.hasAttribute('src') ? e.src : e.querySelector('source').src;"
                                "return decodeURIComponent(new URL(s).pathname);";

} // namespace

class TestAfspilningslisteBrowser : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void aButtonPlaysItsRow_data();
    void aButtonPlaysItsRow();

private:
    Browser *m_browser = nullptr;
};

void TestAfspilningslisteBrowser::initTestCase()
{
    m_browser = new Browser;
    const QString why = m_browser->start();
    if (why.isEmpty())
        return;
    delete m_browser;
    m_browser = nullptr;
    // Outside CI a machine without the browser skips; in CI the browser is installed, so this fails.
    if (qEnvironmentVariableIsEmpty("CI"))
        QSKIP(qPrintable("no headless browser: " + why));
    QFAIL(qPrintable("no headless browser: " + why));
}

void TestAfspilningslisteBrowser::cleanupTestCase()
{
    delete m_browser;
    m_browser = nullptr;
}

void TestAfspilningslisteBrowser::aButtonPlaysItsRow_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("button");
    QTest::newRow("film") << int(TSkrivTekstfiler::Afspiller::Film) << "Afspil";
    QTest::newRow("musik") << int(TSkrivTekstfiler::Afspiller::Musik) << "Afspil";
    QTest::newRow("billeder") << int(TSkrivTekstfiler::Afspiller::Billeder) << "Vis";
}

void TestAfspilningslisteBrowser::aButtonPlaysItsRow()
{
    QFETCH(int, kind);
    QFETCH(QString, button);
    TestDrives drives;
    testsupport::ScriptedResponder responder;
    // The third name holds a "\\" on the host (listed with its stand-in, U+F05C).
    const QStringList names{"første.mp4", "Tom \"Q\" & Jerry's <#1> 100%.mp4",
                            QString("tredje") + QChar(0xF05C) + "del.mkv"};
    for (const QString &name : names)
        drives.writeBytes("C:\\Medier\\" + name, "x");
    TSkrivTekstfiler skriv;
    const QString page = kind == int(TSkrivTekstfiler::Afspiller::Film)
                             ? skriv.opretFilmliste("C:\\Medier\\liste.html", names)
                         : kind == int(TSkrivTekstfiler::Afspiller::Musik)
                             ? skriv.opretMusikliste("C:\\Medier\\liste.html", names)
                             : skriv.opretBilledliste("C:\\Medier\\liste.html", names);
    QVERIFY(!page.isEmpty());
    QVERIFY(m_browser->open(QUrl::fromLocalFile(drives.host(page))));

    const QStringList buttons = m_browser->elements("td button");
    QCOMPARE(buttons.size(), names.size());
    // Before any click the first file is in the player and its row is marked.
    QCOMPARE(m_browser->script(kPlayerPath).toString(), drives.host("C:\\Medier\\" + names[0]));
    QCOMPARE(m_browser->script("return document.getElementById('melodi0').checked;").toBool(), true);
    for (int row : {2, 1}) {
        QVERIFY(m_browser->click(buttons[row]));
        QCOMPARE(m_browser->script(kPlayerPath).toString(), drives.host("C:\\Medier\\" + names[row]));
        QCOMPARE(
            m_browser->script("return [0, 1, 2].map(i => document.getElementById('melodi' + i).checked);")
                .toArray(),
            (QJsonArray{false, row == 1, row == 2}));
    }
    // The rows show the names as they are, and each button its caption.
    QCOMPARE(
        m_browser->script("return document.getElementById('melodi1').closest('tr').cells[1].textContent;")
            .toString(),
        names[1]);
    QCOMPARE(m_browser->script("return document.querySelector('td button').textContent;").toString(), button);
}

QTEST_MAIN(TestAfspilningslisteBrowser)
#include "test_afspilningsliste_browser.moc"
