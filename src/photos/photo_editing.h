#pragma once
// Editing the photo list: deleting one or all photographs, replacing a photograph that shares
// its template instance, and swapping two rows. Every edit keeps the photo table, its display
// list, the instance folders (numbered 1 … m by the first photograph of each, movie files
// named with them) and the thumbnail files (file i + 1 shows row i) in step. Each call either
// completes or leaves tables and files exactly as they were.
#include <QPoint>
#include <QString>
#include <QStringList>
#include <vector>

#include "templates/template_assignment.h"

namespace solvane {

struct Project;
class Workspace;

// --- Deleting --------------------------------------------------------------------------

// What happened to one photograph asked to be deleted.
enum class DeleteOutcome {
  Deleted,            // gone with its instance
  NeedsReplacement,   // shares its instance: it can only leave through a replacement
};

// Deletes photo row `row`. A photograph alone in its instance takes the instance folder with
// it; a photograph that shares its instance is left in place (NeedsReplacement).
DeleteOutcome deletePhoto(Project& project, const Workspace& ws, int row);

// Deletes the rows (list mode: every selected row), last to first, as one edit. Returns the
// rows, in the table as it is afterwards and last first, that need a replacement.
std::vector<int> deletePhotos(Project& project, const Workspace& ws, std::vector<int> rows);

// Empties the photo table, its lists and the random pools, removes every instance folder and
// thumbnail and resets the instance counter, so the next import starts at instance 1.
void deleteAllPhotos(Project& project, const Workspace& ws);

// Renumbers the instance folders densely in the order their first photograph stands in the
// table, renaming the movie files with them, and puts Edit_mobanleijia_sum right.
void compactInstances(Project& project, const Workspace& ws);

// --- Replacing ---------------------------------------------------------------------------

// The photographs that may fill the slot of row `row` when it is deleted: the other rows of
// the same orientation, in table order (the photograph being deleted is never among them).
std::vector<int> replacementCandidates(const Project& project, int row);

// "添加的新相片不是横照片,请重新添加！" (or 竖照片) when the file, seen upright, has the other
// orientation than row `row`; empty when it fits. Throws Error when the file cannot be read.
QString newFileMismatch(const Project& project, int row, const QString& file);

// Row `row` (which shares its instance; Error otherwise) leaves the table; the photograph of
// row `candidate` fills its slot as well.
void replaceWithPhoto(Project& project, const Workspace& ws, int row, int candidate);
// Picks the candidate with `draw`; false (and nothing changes) when there is none.
bool replaceWithRandomPhoto(Project& project, const Workspace& ws, int row,
                            const DrawIndex& draw);
// Row `row` leaves the table; the new file fills its slot and joins the table as the last
// row, with its own thumbnail. The caller has checked newFileMismatch.
void replaceWithNewFile(Project& project, const Workspace& ws, int row, const QString& file);

// The message shown when a random replacement finds no other photograph of the orientation.
QString noCandidateMessage(const Project& project, int row);

// --- Swapping ----------------------------------------------------------------------------

// Cells closer than this in both directions swap when one is dropped on the other.
inline constexpr int kSwapDistance = 50;
// True when a cell dropped with its top-left corner at `dropped` lands on the cell at `cell`.
bool dropLandsOn(QPoint dropped, QPoint cell);
// The cell that cell `dragged`, dropped at `dropped`, swaps with (`cells`: the top-left
// corners of every cell), or -1.
int swapTarget(int dragged, QPoint dropped, const std::vector<QPoint>& cells);

// Rows `a` and `b` exchange places with their thumbnails; instances are renumbered.
void swapPhotos(Project& project, const Workspace& ws, int a, int b);

// --- Describing --------------------------------------------------------------------------

// The five lines the photo tip and the preview window show for row `row`: name, type in
// capitals, width*height, landscape or portrait, and the row number.
QStringList photoDescription(const Project& project, int row);

}  // namespace solvane
