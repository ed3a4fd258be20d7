// Numeric constants of the word-processor object model, under the names callers know them by.
#pragma once

namespace vk::word {

// Range.Collapse / Selection.Collapse
inline constexpr int wdCollapseEnd = 0;
inline constexpr int wdCollapseStart = 1;

// Units of MoveStart / MoveEnd / MoveDown
inline constexpr int wdCharacter = 1;
inline constexpr int wdWord = 2;
inline constexpr int wdParagraph = 4;
inline constexpr int wdLine = 5;

// Extend argument of MoveDown
inline constexpr int wdMove = 0;
inline constexpr int wdExtend = 1;

// Row.SetHeight rule
inline constexpr int wdRowHeightAuto = 0;
inline constexpr int wdRowHeightAtLeast = 1;
inline constexpr int wdRowHeightExactly = 2;

// Ruler style of SetWidth (only "adjust nothing else" is supported)
inline constexpr int wdAdjustNone = 0;

// Paragraph alignment
inline constexpr int wdAlignParagraphLeft = 0;
inline constexpr int wdAlignParagraphCenter = 1;
inline constexpr int wdAlignParagraphRight = 2;
inline constexpr int wdAlignParagraphJustify = 3;

// Tab stops
inline constexpr int wdAlignTabLeft = 0;
inline constexpr int wdAlignTabCenter = 1;
inline constexpr int wdAlignTabRight = 2;
inline constexpr int wdAlignTabDecimal = 3;
inline constexpr int wdTabLeaderSpaces = 0;  // no leader
inline constexpr int wdTabLeaderDots = 1;

// Borders.Item
inline constexpr int wdBorderTop = -1;
inline constexpr int wdBorderLeft = -2;
inline constexpr int wdBorderBottom = -3;
inline constexpr int wdBorderRight = -4;
inline constexpr int wdBorderHorizontal = -5;
inline constexpr int wdBorderVertical = -6;

// Border line styles
inline constexpr int wdLineStyleNone = 0;
inline constexpr int wdLineStyleSingle = 1;

// Bold and similar tri-state properties
inline constexpr int wdTrue = -1;
inline constexpr int wdFalse = 0;
inline constexpr int wdUndefined = 9999999;  // mixed formatting in the range

// Shapes
inline constexpr int msoTextOrientationHorizontal = 1;
inline constexpr int wdRelativeVerticalPositionMargin = 0;
inline constexpr int wdRelativeVerticalPositionPage = 1;
inline constexpr int wdRelativeVerticalPositionParagraph = 2;
inline constexpr int wdRelativeHorizontalPositionMargin = 0;
inline constexpr int wdRelativeHorizontalPositionPage = 1;
inline constexpr int wdRelativeHorizontalPositionColumn = 2;

// Bookmarks.DefaultSorting
inline constexpr int wdSortByName = 0;
inline constexpr int wdSortByLocation = 1;

// Characters of a story as the callers read them
inline constexpr char wdZeichenAbsatz = '\r';       // paragraph end (13)
inline constexpr char wdZeichenZeilenumbruch = 11;  // line break
inline constexpr char wdZeichenZellende = 7;        // second character of an end-of-cell / end-of-row mark

}  // namespace vk::word
