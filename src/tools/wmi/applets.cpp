#include "tools/wmi/applets.h"

#include "core/files.h"
#include "core/linefile.h"
#include "dialogs/services.h"
#include "dialogs/toolform.h"

#include <QToolButton>

namespace {

constexpr int kShowNormal = 1;

} // namespace

const QList<QList<Applet>> &appletGroups()
{
    static const QList<QList<Applet>> groups = {
        {
            {"winApp9", "Kontrolpanel",
             "Åbner kontrolpanelet med adgang til forskellige computerindstillinger", "kontrolpanel.vbs"},
            {"winApp20", "Windows firewall", "Åbner kontrolpanelets side der angår Windows firewall",
             "windows_firewall.vbs"},
            {"winApp4", "Brugerkonti", "Åbner kontrolpanelets side Brugerkonti/Brugerkonti",
             "bruger_konti.vbs"},
            {"winApp12", "Netværks forbindelser",
             "Fører til Kontrolpanel/Netværk og internet/Netværksforbindelser", "net_forbindelser.vbs"},
        },
        {
            {"winApp1", "Sikkerhed", "Åbner kontrolpanelets side der angår sikkerhed og vedligeholdelse",
             "actioncenter.vbs"},
            {"winApp2", "Programmer", "Åbner kontrolpanelets side Programmer/Fjern et program",
             "add_remove_programmer.vbs"},
            {"winApp19", "Skærmopløsning",
             "Fører til Kontrolpanel/Udseende og personlige indstillinger/Skærm/Skærmopløsning",
             "vis_egenskaber.vbs"},
            {"winApp14", "Strømstyring", "Fører til Kontrolpanel/Hardware og lyd/Strømstyring",
             "power_options.vbs"},
            {"winApp8", "Internet indstillinger", "Åbner en dialogboks med indstillinger for internettet",
             "internet_egenskaber.vbs"},
        },
        {
            {"winApp5", "Dato og klokken", "Åbner boks med mulighed for at indstille dato og klokkeslet",
             "dato_tid.vbs"},
            {"winApp15", "Område",
             "Åbner en boks med mulighed for at bestemme sprog, dato og klokkesletsformater",
             "region_sprog-info.vbs"},
            {"winApp13", "ODBC", "Åbner ODBC datakildeadministrator boksen", "ODBC.vbs"},
            {"winApp18", "Telefon og modem", "Åbner boksen Telefon og modem", "telefon_modem.vbs"},
            {"winApp10", "Lyd", "Åbner en boks angående afspilning, optagelse, lyde samt kommunikation",
             "lyd.vbs"},
        },
        {
            {"winApp22", "Spilleenheder", "Fører til boksen Spilleenheder", "game_controllers.vbs"},
            {"winApp6", "Enhedshåndtering", "Viser en liste over enheder i computeren eller forbundet hermed",
             "enhedshåndtering.vbs"},
            {"winApp11", "Egenskaber for mus", "Åbner boks hvor der kan bestemmes egenskaber for mus",
             "mus_egenskaber.vbs"},
            {"winApp7", "Skrifttyper",
             "Fører til Kontrolpanel/Udseende og personlige indstillinger/Skrifttyper", "fonts.vbs"},
        },
        {
            {"winApp17", "System oplysninger", "Åbner en oversigt med oplysninger om systemets elementer",
             "systemoplysninger.vbs"},
            {"winApp16", "Egenskaber for system", "Åbner en dialogboks med egenskaber for system",
             "system_egenskaber.vbs"},
        },
    };
    return groups;
}

const Applet *appletByName(const QString &name)
{
    for (const QList<Applet> &group : appletGroups()) {
        for (const Applet &applet : group) {
            if (name == QLatin1String(applet.name))
                return &applet;
        }
    }
    return nullptr;
}

QString appletPath(const QString &appletsDir, const Applet &applet)
{
    return appletsDir + core::scriptFileName(QString::fromUtf8(applet.script));
}

QStringList appletPrograms(const QString &path)
{
    QStringList programs;
    const auto lines = core::readLines(path);
    if (!lines)
        return programs;
    for (const QString &line : *lines) {
        if (line.startsWith(u"# panel: ")) {
            const QString program = line.mid(9).trimmed().section(u' ', 0, 0);
            if (!program.isEmpty())
                programs << program;
        }
    }
    return programs;
}

QString appletUnavailable(const QString &path)
{
    if (!core::fileExists(path))
        return "Ikke tilgængelig: scriptet " + path + " findes ikke.";
    const QStringList programs = appletPrograms(path);
    if (programs.isEmpty())
        return QString();
    for (const QString &program : programs) {
        if (core::programOnSearchPath(program))
            return QString();
    }
    return "Ikke tilgængelig: intet af programmerne " + programs.join(", ") + " er installeret.";
}

void runApplet(const QString &appletsDir, const Applet &applet)
{
    const QString path = appletPath(appletsDir, applet);
    const int result =
        core::fileExists(path) ? core::shellExecute("open", path, QString(), QString(), kShowNormal) : 2;
    if (result <= 32 && toolHost())
        services::status()->ErrorInfo(result);
}

QToolButton *appletButton(const QString &appletsDir, const Applet &applet, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(applet.name);
    button->setText(QString::fromUtf8(applet.caption));
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    const QString why = appletUnavailable(appletPath(appletsDir, applet));
    const QString hint = QString::fromUtf8(applet.hint) + (why.isEmpty() ? QString() : " (" + why + ")");
    button->setStatusTip(hint);
    button->setToolTip(hint);
    button->setEnabled(why.isEmpty());
    const Applet *entry = &applet;
    QObject::connect(button, &QToolButton::clicked, button,
                     [appletsDir, entry] { runApplet(appletsDir, *entry); });
    return button;
}
