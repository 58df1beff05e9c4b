// Non-visual components that live on a page, such as the ZIP component. The
// engine implements a component kind against these two small interfaces, so it
// can run with a page of the toolkit or with a stand-in in tests.
#pragma once

namespace tk {

struct EventAnswer {
  bool answered;  // a handler was attached and gave a value
  int value;
};

// One instance of a component on an open page.
class Component {
 public:
  // Whether the instance's window still exists.
  virtual bool Exists() const = 0;
  // Raises numbered event `event` with up to five integer arguments; runs the
  // handler attached in the layout, if any. With none attached it is dropped.
  virtual EventAnswer Raise(int event, const int* args, int count) = 0;

 protected:
  ~Component() = default;
};

// A component kind: its layout name and its operations, reached by name.
struct ComponentKind {
  const char* name;  // e.g. "ZIP压缩"
  // Runs operation `operation` with text arguments (null entries are missing
  // arguments); returns the operation's integer result.
  int (*call)(Component& self, const char* operation, const char* const* args, int count);
};

}  // namespace tk
