#pragma once

#include <exception>

// The framework's exceptions, each with its own message.
class ObjectException : public std::exception {
  public:
    const char* what() const noexcept override { return "Object: General Exception"; }
};

class NullObjectPointerException : public ObjectException {
  public:
    const char* what() const noexcept override { return "Object: Null Object Pointer Exception"; }
};

class IllegalObjectTypeException : public ObjectException {
  public:
    const char* what() const noexcept override { return "Object: Illegal Object Type Exception"; }
};

class IllegalArgumentException : public ObjectException {
  public:
    const char* what() const noexcept override { return "Object: Illegal Argument Exception"; }
};

class NumberFormatException : public IllegalArgumentException {
  public:
    const char* what() const noexcept override { return "Object: Number Format Exception"; }
};
