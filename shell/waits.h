// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace kadmor {

// The nested waits of the window's operations (a test waiting for an answer or a sound, the
// pause without a sound device): each lets the window handle its events until it is done or the
// window closes. Timer ticks, key handlers and the players' notices run inside; they talk to the
// waiting operation through flags that done() reads.
class Waits
{
  public:
    void until(const std::function<bool()>& done) const;

    // Set when the main window closes; every wait then ends.
    bool shuttingDown() const { return m_shuttingDown; }
    void setShuttingDown(bool on) { m_shuttingDown = on; }

  private:
    bool m_shuttingDown = false;
};

} // namespace kadmor
