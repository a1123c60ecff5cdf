#pragma once
// The distributor's splash picture at start-up: its own size, centred on the screen, closed after
// five seconds, at a key press or at a click on the picture. Start-up goes on while it shows.

#include <filesystem>

#include <QLabel>

namespace orvex::app {

// How long the splash window stays.
inline constexpr int kSplashMs = 5000;

class SplashWindow : public QLabel {
    Q_OBJECT
  public:
    /// Shows the picture in `file` and deletes itself when closed; null when the file cannot be
    /// read as a bitmap picture (nothing is shown then).
    static SplashWindow* showPicture(const std::filesystem::path& file);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    SplashWindow();
};

}  // namespace orvex::app
