#pragma once

#include <string>

#include "platform/MessageService.h"

namespace benchsupport {

// A message service that shows nothing and answers every message with OK.
class SilentMessages : public platform::MessageService {
  public:
    explicit SilentMessages(const platform::StringTable& strings)
        : MessageService(strings, "Kestrane") {}

  protected:
    platform::MessageAnswer present(const platform::MessageRequest&) override {
        return platform::MessageAnswer::Ok;
    }
};

}  // namespace benchsupport
