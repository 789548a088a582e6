#pragma once

#include <QDialog>
#include <QPageLayout>
#include <cstdint>

class PrintJob;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

// A preview that paints only the page it shows, for documents with more
// pages than the platform's preview (which paints every page first) can
// take: a page box, first, previous, next and last, a zoom and Print.
class CPrintPreviewDialog : public QDialog {
  public:
    CPrintPreviewDialog(PrintJob& job, const QPageLayout& layout, QWidget* parent = nullptr);

    std::uint64_t page() const { return page_; }
    void showPage(std::uint64_t page);
    // The zoom in percent of the page's size at the screen's resolution.
    void setZoom(int percent);
    // The user chose Print: the caller prints once the preview has closed.
    bool printRequested() const { return printRequested_; }

  private:
    void render();
    void takePageBox();

    PrintJob& job_;
    QPageLayout layout_;
    std::uint64_t page_ = 1;
    int zoom_ = 100;
    bool printRequested_ = false;
    QLineEdit* pageBox_;
    QLabel* pageCount_;
    QComboBox* zoomBox_;
    QPushButton* first_;
    QPushButton* previous_;
    QPushButton* next_;
    QPushButton* last_;
    QScrollArea* scroller_;
    QLabel* sheet_;
};
