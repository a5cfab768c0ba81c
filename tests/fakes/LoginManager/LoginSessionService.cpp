#include "tests/fakes/LoginManager/LoginSessionService.h"

void LoginSessionService::announceLock(bool locked)
{
    m_locked = locked;
    if (locked)
        emit Lock();
    else
        emit Unlock();
}
