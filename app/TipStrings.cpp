#include "app/TipStrings.h"

#include <array>

namespace {

constexpr std::array kTips{
    platform::StringEntry{5201,
                          "Press Ctrl+N to create a new file; tick \"Create Directly\" in the "
                          "dialog and later new files skip it."},
    platform::StringEntry{5202,
                          "Ctrl+O opens a file. Files up to the maximal direct edit size are "
                          "loaded into memory, larger ones are edited in place."},
    platform::StringEntry{5203,
                          "A file larger than the maximal direct edit size (16 MB unless you "
                          "change it) opens in place: typing costs no file write until you save."},
    platform::StringEntry{5204,
                          "The first insert or delete in a large file copies it to a work file in "
                          "the temporary directory; saving copies it back."},
    platform::StringEntry{5205,
                          "Ctrl+S saves the active file. Save is enabled only while the file is "
                          "modified, which its title shows with \" *\"."},
    platform::StringEntry{5206, "Save All on the File menu saves every modified file at once."},
    platform::StringEntry{5207,
                          "A save writes a new copy beside your file and puts it in place only "
                          "when it is complete, so a failed save never damages the original."},
    platform::StringEntry{5208,
                          "The Recent Files list on the File menu remembers the files you opened "
                          "last; the options set how many it keeps."},
    platform::StringEntry{
        5209, "You can drop files from your file manager onto the Kestrane window to open them."},
    platform::StringEntry{
        5210, "Opening a file that is already open simply brings its window to the front."},
    platform::StringEntry{
        5211, "Each open file has a tab in the Open File Tab bar; click a tab to switch files."},
    platform::StringEntry{5212,
                          "Window > Next and Window > Previous walk through the open files in tab "
                          "order, wrapping around at the ends."},
    platform::StringEntry{5213,
                          "Window > Cascade and Tile arrange the file windows when you want to "
                          "compare files side by side."},
    platform::StringEntry{5214,
                          "The status bar shows the page, the display line, the caret position in "
                          "hexadecimal and decimal, the selection length and the file size."},
    platform::StringEntry{
        5215,
        "\"Read\" in the status bar means the file is read-only; \"Norm\" means you may edit it."},
    platform::StringEntry{
        5216, "Ctrl+Y toggles the read-only state of a file that was opened with write access."},
    platform::StringEntry{5217,
                          "A file you may not write asks whether to clear its read-only attribute; "
                          "answer No to open it read-only."},
    platform::StringEntry{5218,
                          "The hex view has a mark panel, an address panel, the hexadecimal panel "
                          "and the character panel; the View menu shows and hides them."},
    platform::StringEntry{5219,
                          "Hiding the address panel hides its border too; hiding the character "
                          "panel hides the line-width handle with it."},
    platform::StringEntry{5220,
                          "Panel Header on the View menu shows the column numbers above the "
                          "hexadecimal panel and \"Offset\" above the addresses."},
    platform::StringEntry{5221,
                          "Drag the line-width handle between the hex and character panels to "
                          "change the number of bytes per line in whole units."},
    platform::StringEntry{5222,
                          "Extend Line Width and Shrink Line Width on the presentation tool bar "
                          "change the line width by one byte."},
    platform::StringEntry{5223,
                          "The line width stays between the minimum and maximum set on the "
                          "Presentation page of the options."},
    platform::StringEntry{5224,
                          "The 1, 2, 4 and 8 buttons group the bytes into data units of that size; "
                          "Multibytes... lets you choose any unit up to the line width."},
    platform::StringEntry{5225,
                          "Increase Indent shifts the first line right by one data unit; the bytes "
                          "keep their offsets, only their places on screen move."},
    platform::StringEntry{
        5226, "Clear Indent puts the first byte of the file back at the start of the first line."},
    platform::StringEntry{5227,
                          "Extend Page Height and Shrink Page Height change the lines per page "
                          "used for the page field, the page marks and printing."},
    platform::StringEntry{5228,
                          "Page marks in the mark panel show where each page begins; hover over "
                          "one to see its page number."},
    platform::StringEntry{
        5229,
        "Double-click the address panel to switch the addresses between hexadecimal and decimal."},
    platform::StringEntry{
        5230, "Right-click the address panel for Decimal Address and Data Start Address..."},
    platform::StringEntry{5231,
                          "Data Start Address... adds a base to every address shown, handy when "
                          "the file is a memory dump loaded at some address."},
    platform::StringEntry{5232,
                          "Right-click the hex or character panel for a menu of the editing "
                          "commands that apply there."},
    platform::StringEntry{5233, "The mouse wheel scrolls the view by whole lines."},
    platform::StringEntry{
        5234, "While you drag the vertical scroll box, a tip shows the page you are about to see."},
    platform::StringEntry{5235,
                          "Bytes you have changed are drawn in the modified-text colour until an "
                          "insert or delete makes their positions change."},
    platform::StringEntry{5236,
                          "Every typed key is one undo step: Ctrl+Z undoes it, Redo repeats it."},
    platform::StringEntry{5237,
                          "Quick Undo (Ctrl+K) lists the recent changes; choose one to undo it and "
                          "every change after it in one go."},
    platform::StringEntry{
        5238, "Quick Redo (Ctrl+D) lists the changes you undid, to redo several at once."},
    platform::StringEntry{
        5239,
        "The number of undo steps kept is \"Max Undo Level\" on the Edit page of the options."},
    platform::StringEntry{5240,
                          "Typing over a selection replaces it; one undo brings back both the "
                          "selection and the overwritten byte."},
    platform::StringEntry{
        5241,
        "Hold Alt while you drag to select a column block: the same columns on a run of lines."},
    platform::StringEntry{5242,
                          "Select Column Block... (Ctrl+B) sets a column block by its first and "
                          "last row and column."},
    platform::StringEntry{5243,
                          "Select Range... sets a selection by its start and end address, typed in "
                          "hexadecimal, decimal or octal."},
    platform::StringEntry{5244,
                          "Select All (Ctrl+A) selects the whole file; Select Line (Ctrl+L) "
                          "selects the caret's line."},
    platform::StringEntry{
        5245, "Go to... jumps to a position, a display line, a linemark or a datamark."},
    platform::StringEntry{5246,
                          "Delete removes the selection; in a large file this rewrites the work "
                          "file under a progress dialog."},
    platform::StringEntry{5247,
                          "Cut, Copy and Paste use Kestrane's own clipboard formats, which keep "
                          "the data start address and column-block shape."},
    platform::StringEntry{5248,
                          "Copy As Hex Text puts the selection on the clipboard as hexadecimal "
                          "text, 16 bytes a line."},
    platform::StringEntry{5249,
                          "Copy As Hex Text(C/C++) copies the selection as a C array you can paste "
                          "into source code."},
    platform::StringEntry{
        5250,
        "Overwrite pastes the clipboard over the bytes at the caret instead of inserting them."},
    platform::StringEntry{5251,
                          "Special Paste inserts the clipboard at the beginning, at the end, at "
                          "the caret or at an address you type."},
    platform::StringEntry{5252,
                          "Special Overwrite writes the clipboard from the beginning, so that the "
                          "data ends with it, at the caret or at an address you type."},
    platform::StringEntry{
        5253, "Set Data Size... makes the file longer (with zero bytes) or shorter at the end."},
    platform::StringEntry{5254,
                          "Modify Data... fills a range with a byte, or adds, ANDs, ORs or XORs it "
                          "with every byte, or inverts every byte."},
    platform::StringEntry{
        5255, "Modify Data can also write random bytes, a fresh one for each position."},
    platform::StringEntry{5256,
                          "Swap Data... reverses the bytes inside each data unit, for example to "
                          "turn little-endian words into big-endian ones."},
    platform::StringEntry{
        5257, "Swap Data with Align Line starts its units at the beginning of each display line."},
    platform::StringEntry{5258,
                          "Deleting a column block removes only the bytes that exist; undo puts "
                          "every one of them back."},
    platform::StringEntry{5259,
                          "Inserting a column block makes its rows a column of the block's width; "
                          "the old data flows around it."},
    platform::StringEntry{5260,
                          "A warning appears before large deletes, overwrites and inserts; tick "
                          "\"No Longer Warning\" to switch it off."},
    platform::StringEntry{5261,
                          "Long operations run under a progress dialog; Cancel stops copying, "
                          "while a rewrite in progress finishes safely."},
    platform::StringEntry{5262,
                          "Find (Ctrl+F) searches for text or hexadecimal bytes; F3 finds the next "
                          "match, Shift+F3 the previous one."},
    platform::StringEntry{5263,
                          "In a hexadecimal search, a wildcard digit matches any value: \"CE 4* A* "
                          "**\" is a valid pattern."},
    platform::StringEntry{5264,
                          "A restricted regular expression lets one search match several spellings "
                          "of the same text."},
    platform::StringEntry{
        5265, "Mark All Lines in the Find dialog sets a linemark on every line with a match."},
    platform::StringEntry{5266,
                          "Replace (Ctrl+H) replaces one match at a time or all of them at once."},
    platform::StringEntry{5267,
                          "Replace All in a large file builds the result in a temporary file and "
                          "asks before it takes its place."},
    platform::StringEntry{
        5268,
        "Searches in large files run in the background with a progress dialog you can cancel."},
    platform::StringEntry{5269,
                          "The search tool bar keeps your recent search strings; press Enter in "
                          "its box to search forward from the caret."},
    platform::StringEntry{5270,
                          "Toggle Linemark marks the caret's line; Next Linemark and Previous "
                          "Linemark visit the marks in order."},
    platform::StringEntry{
        5271,
        "Linemarks last as long as the view; datamarks are kept with the file between sessions."},
    platform::StringEntry{
        5272,
        "A datamark names a position in a file and can carry a comment, a level and associations."},
    platform::StringEntry{5273,
                          "Datamarks are drawn in the mark panel with the image of their level; "
                          "hidden levels are not drawn."},
    platform::StringEntry{5274,
                          "Hover over a datamark in the mark panel to see its name in a tip."},
    platform::StringEntry{5275,
                          "Associations link datamarks within a file or across files; follow one "
                          "from the datamark's menu."},
    platform::StringEntry{
        5276,
        "Edit Datamarks... lists the datamarks of the file to rename, comment or delete them."},
    platform::StringEntry{5277,
                          "Define Datamark can search for its position with an advanced find and "
                          "compare values it finds."},
    platform::StringEntry{5278,
                          "The interpretation window shows the bytes at the caret as integers, "
                          "floating-point numbers and characters."},
    platform::StringEntry{5279,
                          "Switch the interpretation between little-endian and big-endian, and "
                          "between hexadecimal and decimal numbers."},
    platform::StringEntry{5280,
                          "Tools > Hex Data Interpreter opens Pellwick, which interprets bytes you "
                          "type in as fourteen data types."},
    platform::StringEntry{5281,
                          "Tools > Multibyte Calculator opens Tamsorel, a calculator for "
                          "hexadecimal numbers of any length."},
    platform::StringEntry{5282, "Tools > Normal Calculator opens your desktop's calculator."},
    platform::StringEntry{
        5283,
        "Export File As... writes the file as raw bytes, hexadecimal text, C source or HTML."},
    platform::StringEntry{5284, "Export Selection As... exports only the selected bytes."},
    platform::StringEntry{5285,
                          "Print prints the view with headers and footers; &F in a header is the "
                          "file name and &P the page number."},
    platform::StringEntry{
        5286,
        "Page Setup... sets the margins, the header and footer texts and the lines per page."},
    platform::StringEntry{5287, "Print Preview shows the pages before you print them."},
    platform::StringEntry{
        5288,
        "The workspace window shows your drives and folders; double-click a file to open it."},
    platform::StringEntry{5289,
                          "The workspace can watch a drive and refresh itself when files change."},
    platform::StringEntry{5290,
                          "Tools > Options... changes the general, file, edit, find, datamark, "
                          "presentation, interpreter and appearance settings."},
    platform::StringEntry{5291,
                          "The Appearance page sets the colours of each panel, the selection, "
                          "linemarks and modified bytes, and the display font."},
    platform::StringEntry{5292,
                          "The selection is shown by inverting the colours, so it stays readable "
                          "whatever colours you choose."},
    platform::StringEntry{5293,
                          "The escape character shown for unprintable bytes in the character panel "
                          "is set on the Presentation page."},
    platform::StringEntry{5294,
                          "Bytes 0x20 to 0x7F appear as themselves in the character panel; all "
                          "others as the escape character."},
    platform::StringEntry{5295,
                          "Right-click a file tab to close or save that file, or to switch between "
                          "tab and button style."},
    platform::StringEntry{5296,
                          "Edit with Kestrane appears in your file manager's context menu once the "
                          "shell extension is registered."},
    platform::StringEntry{5297,
                          "Kestrane keeps its settings in a registry file of its own; kestrane-reg "
                          "inspects and repairs it."},
    platform::StringEntry{5298, "Start Kestrane with a file name to open that file at once."},
    platform::StringEntry{
        5299, "Set \"Newdoc Startup\" to start with a new empty file when no file is given."},
    platform::StringEntry{5300,
                          "Clear \"Show tips at startup\" below if you would rather not see these "
                          "tips when Kestrane starts."},
};

static_assert(kTips.size() == kTipCount);

}  // namespace

std::span<const platform::StringEntry> tipStrings() {
    return kTips;
}
