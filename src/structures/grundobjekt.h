#pragma once
// The bottom of the class chain an explorer window drives its two trees through:
// TGrundObjekt (the two tree views and the user name), TMapper (the user's known folders and
// the classification of file extensions) and TStrukMapper (display switches, current folder
// and file, drive kind and volume label).

#include <QObject>
#include <QString>
#include <stdexcept>

class StrukturView;

// A known folder that the system does not give; the message is the Danish text to show.
class StrukturFejl : public std::runtime_error
{
public:
    explicit StrukturFejl(const QString &message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {}
    QString message() const { return m_message; }

private:
    QString m_message;
};

class TGrundObjekt : public QObject
{
    Q_OBJECT
public:
    explicit TGrundObjekt(QObject *owner = nullptr);

    void setStruktur1(StrukturView *value) { FStruktur1 = value; }
    void setStruktur2(StrukturView *value) { FStruktur2 = value; }
    void setBrugernavn(const QString &value) { FBrugernavn = value; }
    StrukturView *struktur1() const { return FStruktur1; }
    StrukturView *struktur2() const { return FStruktur2; }
    QString brugernavn() const { return FBrugernavn; }

protected:
    StrukturView *FStruktur1 = nullptr;
    StrukturView *FStruktur2 = nullptr;
    QString FBrugernavn;
};

class TMapper : public TGrundObjekt
{
    Q_OBJECT
public:
    using TGrundObjekt::TGrundObjekt;

    // Known folders, without a trailing backslash; a folder the system does not give raises
    // StrukturFejl with the Danish message.
    QString GetMyDesktop() const;
    QString GetMyDocuments() const;
    QString GetMyFavorit() const;
    QString GetMyPictures() const;
    QString GetMyMusic() const;
    QString GetMyVideo() const;
    QString GetStartMenuPrograms() const;
    QString GetMyApp() const;
    QString GetCommonDocuments() const;
    QString GetCommonMusic() const;
    QString GetCommonPictures() const;
    QString GetCommonVideo() const;
    // "C:\users\<user>\Downloads" when it exists, else "C:".
    QString GetMyDownLoad() const;
    // "C:\users\Public" when it exists, else "C:".
    QString GetAllUsers() const;

    static bool erDetEnBilledfil(const QString &extS);
    static bool erDetEnTekstfil(const QString &extS);
};

class TStrukMapper : public TMapper
{
    Q_OBJECT
public:
    explicit TStrukMapper(QObject *owner = nullptr);

    void setShowPrivate(bool value) { FShowPrivate = value; }
    void setShowHidden(bool value) { FShowHidden = value; }
    void setFilnavn(const QString &value) { FFilnavn = value; }
    void setMappenavn(const QString &value) { FMappenavn = value; }
    bool showPrivate() const { return FShowPrivate; }
    bool showHidden() const { return FShowHidden; }
    QString filnavn() const { return FFilnavn; }
    QString mappenavn() const { return FMappenavn; }

    // The system's own drive kinds: 1 removable, 2 fixed, 3 CD/DVD, 4 RAM disk, 5 network,
    // 0 unknown.
    static int getDrevType(const QString &aDrev);
    static QString getVolumeLabel(QChar DriveChar);

protected:
    bool FShowPrivate = false;
    bool FShowHidden = false;
    QString FFilnavn;
    QString FMappenavn;
};
