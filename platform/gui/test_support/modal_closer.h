#pragma once

// For programs that open modal forms with nobody there to close them (a
// headless run of the dialog gallery): every application-modal window is
// closed by its title bar as soon as it shows. It works on Qt's objects
// alone, so it also closes the forms of a library the program loaded with its
// own copy of the platform layer. Link platform_gui_test_support.

namespace cl::testing {

class ModalCloser {
 public:
  // Takes effect on Qt's application object, now or once it is made.
  ModalCloser();
  ~ModalCloser();
  ModalCloser(const ModalCloser&) = delete;
  ModalCloser& operator=(const ModalCloser&) = delete;

  // The modal windows closed so far.
  int Closed() const;
};

}  // namespace cl::testing
