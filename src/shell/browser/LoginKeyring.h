#pragma once

#include <optional>
#include <QString>

#include "shell/browser/BrowserPrompts.h"

// Remembered log-ins, kept in the desktop's keyring (the Secret Service of
// GNOME and others, KWallet) through QtKeychain: encrypted by the desktop,
// never in a file of the program's. Each call waits for the keyring's answer
// (which may mean the desktop asking to unlock it).
namespace lumaro::keyring {

// Whether a keyring can be reached: the desktop session's bus is there.
bool Available();

// The log-in remembered under `key`, if any.
std::optional<prompts::Credentials> Recall(const QString& key);
// Keeps (or replaces) the log-in under `key`; false, with the keyring's words
// in `why`, when it cannot.
bool Remember(const QString& key, const prompts::Credentials& login, QString* why);
void Forget(const QString& key);

}  // namespace lumaro::keyring
