// `Form1`, the about window: the program's name and version, the maker's details and a link
// to the maker's web site, under the logo `Picture1`.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>
#include <functional>

namespace korvath {

/// Opens a web address; the program's default hands it to the system's browser.
using LinkOpener = std::function<void(const QUrl&)>;

/// The system's browser through QDesktopServices; when none can be started nothing happens.
void open_in_browser(const QUrl& address);

inline constexpr const char* kWebAddress = "https://www.example.com/korvath";

class Form1 : public QDialog {
 public:
  /// A fresh window each time: the link starts yellow whatever it was when last closed.
  explicit Form1(QWidget* parent, LinkOpener open_link = open_in_browser);

 protected:
  /// Hovering the link turns it blue until the mouse passes over `Label7` or the picture.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void set_link_colour(const QColor& colour);

  LinkOpener open_link_;
  // Declared parents first: members are destroyed in reverse, children before their parents.
  QVBoxLayout layout_;
  QWidget address_card_;  // the light panel that keeps the black address lines legible
  QVBoxLayout card_layout_;
  QLabel picture1_, label1_, label2_, label3_, label4_, label5_, label6_, label7_, label8_;
};

}  // namespace korvath
