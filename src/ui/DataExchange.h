#pragma once

#include <cstdint>
#include <string>

class DialogWindow;

inline constexpr char kEnterIntegerMessage[] = "Please enter an integer.";
inline constexpr char kEnterNumberMessage[] = "Please enter a number.";

// One run of a dialog's exchange routine: either shows members in their controls, or takes the
// controls' texts into the members. Integers show in decimal, floats with six significant
// digits ("1500", "1e+30"); both are read as users type numbers everywhere in the program
// (blanks around one decimal number). While taking in, the first field that fails is reported
// in a message box and ends the run: the exchanges after it change nothing.
class DataExchange {
 public:
  DataExchange(DialogWindow& window, bool takeIn) : window_(window), takeIn_(takeIn) {}

  bool takingIn() const { return takeIn_; }
  bool failed() const { return failed_; }
  int failedControl() const { return failedControl_; }  // the field that failed

  void Text(int controlId, std::int32_t& value);
  void Text(int controlId, float& value);
  // A float shown in full: the shortest text that reads back to the same float, so that
  // showing and taking in again never changes it.
  void ExactText(int controlId, float& value);
  void Text(int controlId, std::string& value);

 private:
  void Fail(int controlId, const char* message);
  void Float(int controlId, float& value, bool exact);

  DialogWindow& window_;
  bool takeIn_;
  bool failed_ = false;
  int failedControl_ = 0;
};
