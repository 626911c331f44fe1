#pragma once

// The process's limit of open files.
namespace filelimit {

// Raises the soft limit to the hard one: a desktop's soft limit (often
// 1024) is soon reached by a program that also serves a web browser, and
// every window needs descriptors of its own. False when it could not.
bool raiseToHard();

} // namespace filelimit
