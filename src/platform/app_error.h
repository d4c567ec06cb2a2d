// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Errors that unwind a handler back to the event loop, which shows the message
// in the application's error box. Every message is Shift_JIS bytes.
#include <memory>
#include <stdexcept>
#include <string>

class EAppError : public std::runtime_error {
public:
  explicit EAppError(const std::string& SjisMessage)
      : std::runtime_error(SjisMessage), FMessage(std::make_shared<const std::string>(SjisMessage)) {}

  // The whole message. A message quotes text as typed or read, which may hold
  // NUL bytes; what() ends at the first of them, so the display takes this.
  const std::string& Message() const noexcept { return *FMessage; }

private:
  // Shared, so that copying the error cannot throw.
  std::shared_ptr<const std::string> FMessage;
};

// A text that is not a whole number ("'%s' は整数ではありません").
class EConvertError : public EAppError {
public:
  using EAppError::EAppError;
};

// The history file could not be read or written.
class EFileError : public EAppError {
public:
  using EAppError::EAppError;
};

// A list cannot take another line ("行を挿入できません").
class EListError : public EAppError {
public:
  using EAppError::EAppError;
};
