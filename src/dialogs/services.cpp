#include "dialogs/services.h"

namespace services {
namespace {

// What answers where nothing is installed: each interface's own do-nothing defaults.
template<class Service> Service &none()
{
    static Service instance;
    return instance;
}

template<class Service> Service *&slot()
{
    static Service *installed = nullptr;
    return installed;
}

template<class Service> Service *get()
{
    Service *installed = slot<Service>();
    return installed ? installed : &none<Service>();
}

} // namespace

const MainSettings &Settings::settings() const
{
    static const MainSettings defaults;
    return defaults;
}

Settings *settings()
{
    return get<Settings>();
}
Folders *folders()
{
    return get<Folders>();
}
Status *status()
{
    return get<Status>();
}
Launcher *launcher()
{
    return get<Launcher>();
}
Help *help()
{
    return get<Help>();
}
Tabs *tabs()
{
    return get<Tabs>();
}
CurrentElement *currentElement()
{
    return get<CurrentElement>();
}
Explorers *explorers()
{
    return get<Explorers>();
}
Pages *pages()
{
    return get<Pages>();
}
StructureMenu *structureMenu()
{
    return get<StructureMenu>();
}

void install(Settings *service)
{
    slot<Settings>() = service;
}
void install(Folders *service)
{
    slot<Folders>() = service;
}
void install(Status *service)
{
    slot<Status>() = service;
}
void install(Launcher *service)
{
    slot<Launcher>() = service;
}
void install(Help *service)
{
    slot<Help>() = service;
}
void install(Tabs *service)
{
    slot<Tabs>() = service;
}
void install(CurrentElement *service)
{
    slot<CurrentElement>() = service;
}
void install(Explorers *service)
{
    slot<Explorers>() = service;
}
void install(Pages *service)
{
    slot<Pages>() = service;
}
void install(StructureMenu *service)
{
    slot<StructureMenu>() = service;
}

void remove(Settings *service)
{
    if (slot<Settings>() == service)
        slot<Settings>() = nullptr;
}

void remove(Folders *service)
{
    if (slot<Folders>() == service)
        slot<Folders>() = nullptr;
}

void remove(Status *service)
{
    if (slot<Status>() == service)
        slot<Status>() = nullptr;
}

void remove(Launcher *service)
{
    if (slot<Launcher>() == service)
        slot<Launcher>() = nullptr;
}

void remove(Help *service)
{
    if (slot<Help>() == service)
        slot<Help>() = nullptr;
}

void remove(Tabs *service)
{
    if (slot<Tabs>() == service)
        slot<Tabs>() = nullptr;
}

void remove(CurrentElement *service)
{
    if (slot<CurrentElement>() == service)
        slot<CurrentElement>() = nullptr;
}

void remove(Explorers *service)
{
    if (slot<Explorers>() == service)
        slot<Explorers>() = nullptr;
}

void remove(Pages *service)
{
    if (slot<Pages>() == service)
        slot<Pages>() = nullptr;
}

void remove(StructureMenu *service)
{
    if (slot<StructureMenu>() == service)
        slot<StructureMenu>() = nullptr;
}

} // namespace services
