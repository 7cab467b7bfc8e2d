#include "explorer/mainhost.h"

namespace {

TMainHost *g_host = nullptr;

} // namespace

TMainHost *mainHost()
{
    return g_host;
}

void setMainHost(TMainHost *host)
{
    g_host = host;
}
