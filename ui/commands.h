// Running a command as a key runs one: never inside another, one undo step when it changed the cube,
// a repaint afterwards. A command is any function with what it needs bound to it.
#pragma once

// A callable held by reference for the length of one call, so running a command copies and allocates
// nothing, whatever it carries.
class CommandCall {
 public:
  // NOLINTNEXTLINE: a plain function converts, as any callable does
  CommandCall(void (*function)()) : function_(function) {}
  template <typename Function>
  CommandCall(const Function& function)  // NOLINT: as above
      : object_(&function), call_([](const void* object) { (*static_cast<const Function*>(object))(); }) {}
  void operator()() const { function_ != nullptr ? function_() : call_(object_); }

 private:
  void (*function_)() = nullptr;
  const void* object_ = nullptr;
  void (*call_)(const void*) = nullptr;
};

// False when another command is still running.
bool RunCommand(CommandCall run, bool recorded);

// One step of the window's history back or forward, a new size laid out afresh; false when there is none.
bool UndoStep();
bool RedoStep();
// Undo and redo as the front ends' commands; false when another command is still running.
bool RunUndo();
bool RunRedo();
