#pragma once
// A small help viewer: shows the help page of a context number in a window of its own. The
// pages are HTML files named after the help file, "Merivane-<context>.html", in the "help"
// folder next to the program.

#include <QPointer>
#include <QString>
#include <map>

class QTextBrowser;

namespace tvx::gui {

inline constexpr const char* kHelpBaseName = "Merivane";

class HelpViewer {
  public:
    // The viewer of the running program.
    static HelpViewer& Instance();

    // The folder that holds the pages (default: "help" in the program's shipped folder, that is
    // "<prefix>/share/<program>/help" when installed or "help" next to the program in the build
    // tree, else the source tree's "help" folder).
    void SetFolder(const QString& folder) { folder_ = folder; }
    QString Folder() const;
    // The page file of a context number.
    QString PagePath(int context) const;

    // Shows the topic; an already open window of that topic is raised. A missing page shows a
    // short notice instead. Returns the window.
    QTextBrowser* ShowTopic(int context);
    // Closes every help window.
    void CloseAll();
    int OpenCount() const;

  private:
    QString folder_;
    std::map<int, QPointer<QTextBrowser>> windows_;
};

}  // namespace tvx::gui
