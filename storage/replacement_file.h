// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace kadmor {

// A new file written beside a target and put in its place by one rename, so that a program
// killed at any moment leaves either the old file or the new one. The new file takes the
// target's owner, group and mode where the system allows: on a folder shared by a group, the
// group must not become the writing user's own.
//
// The temporary name is the target's, then prefix and six characters; leftovers of killed
// writers carry the same pattern and are removed by removeLeftovers(). Failures throw
// kadmor::Error with a Czech text naming the target.
class ReplacementFile
{
  public:
    ReplacementFile(const QString& target, const QString& prefix);
    ~ReplacementFile(); // removes the new file unless it was committed
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    int descriptor() const { return m_fd; }
    void write(const QByteArray& bytes);
    // Puts the new file on disk and in the target's place. The descriptor stays open, now the
    // target's; it is closed by the destructor unless released.
    void commit();
    int releaseDescriptor();

    // Only the one who may write the target (its write lock or exclusive use) calls this: any
    // copy left then belongs to a writer that was killed.
    static void removeLeftovers(const QString& target, const QString& prefix);

  private:
    [[noreturn]] void fail(const QString& action) const;
    void takeOwnershipOf(const QString& target);

    QString m_target;
    QByteArray m_tempPath;
    int m_fd = -1;
    bool m_committed = false;
};

} // namespace kadmor
