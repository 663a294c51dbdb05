// The wait cursor as a guard: shown while the guard lives, restored when it goes, however the
// work ends. Guards nest.
#pragma once

namespace app {

class WaitCursor
{
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

    // Drops every override cursor (the error handler's reset).
    static void restoreAll();
};

} // namespace app
