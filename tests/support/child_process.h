// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs a piece of a test in a forked child process, for what must not touch
// the test process itself: a lower file size limit, another user.
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

// Runs Body in a child process and returns the texts it returned. A throw
// from Body gives the single text "uncaught: <what>"; a child that does not
// end normally gives "child ended abnormally: ...".
std::vector<std::string> RunInChild(const std::function<std::vector<std::string>()>& Body);

// The unprivileged user and group that permission tests run as when the test
// process is root (root passes every permission check).
constexpr uid_t TestUserId = 65534;
constexpr gid_t TestGroupId = 65534;

// Gives the file to the test user when running as root, so that the user owns it.
void GiveToTestUser(const std::string& Name);

// In a child: drops root for the test user, so that permissions apply. A
// process that is not root is already bound by them and stays as it is.
// Returns an empty text, or why the child could not become unprivileged.
std::string BecomeUnprivileged();
