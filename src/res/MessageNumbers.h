// The numbers of the message catalogue by name: every caller shows or compares a message through
// these names, never a bare number, so that a number means one text everywhere. The texts are in
// MessageCatalogue.cpp; a name says what the text says.
#pragma once

namespace corvane::msg {

inline constexpr int kOleInitFailed = 100;             ///< initialising OLE failed (start-up)
inline constexpr int kMemoryFailed = 30001;            ///< memory allocation failed
inline constexpr int kNoProjectName = 30002;           ///< no project name entered
inline constexpr int kNoSaveLocation = 30003;          ///< no save location entered
inline constexpr int kSaveLocationMissing = 30004;     ///< the save location does not exist
inline constexpr int kProjectFolderFailed = 30005;     ///< the project folder cannot be made
inline constexpr int kProjectFileExists = 30006;       ///< the project file exists; overwrite?
inline constexpr int kOpenLimit = 30007;               ///< too many open; no more can be opened
inline constexpr int kLineEndsFailed = 30008;          ///< adjusting the line ends failed
inline constexpr int kDropFilesNotFolders = 30009;     ///< drop the documents, not the folder
inline constexpr int kConfirmDelete = 30010;           ///< delete? it cannot be undone
inline constexpr int kDeleteFailed = 30011;            ///< deletion failed; perhaps in use
inline constexpr int kFolderDeleteFailed = 30012;      ///< deleting the folder failed
inline constexpr int kSameNameExists = 30013;          ///< a file of that name exists; rename?
inline constexpr int kPathNotFound = 30014;            ///< path not found
inline constexpr int kTempFileFailed = 30015;          ///< creating a temporary file failed
inline constexpr int kDirectEditNotice = 30016;        ///< editing marked documents directly
inline constexpr int kProjectFileNotFound = 30017;     ///< project file not found; unlist it?
inline constexpr int kSaveFailed = 30018;              ///< saving the file failed
inline constexpr int kFormatDiffers = 30019;           ///< the file format differs
inline constexpr int kVersionDiffers = 30020;          ///< the version differs
inline constexpr int kWorkFolderFailed = 30021;        ///< getting the work folder failed
inline constexpr int kTooLarge = 30022;                ///< size too large
inline constexpr int kNoProject = 30023;               ///< no project is open yet
inline constexpr int kFolderCreateFailed = 30024;      ///< creating the folder failed
inline constexpr int kFileObjectFailed = 30025;        ///< creating the file object failed
inline constexpr int kOpenFailed = 30026;              ///< opening the file failed
inline constexpr int kReadFailed = 30027;              ///< reading the file failed
inline constexpr int kPropertyGridFailed = 30028;      ///< creating the property grid failed
inline constexpr int kImageTypeRefused = 30029;        ///< this image type cannot be set
inline constexpr int kMarkerTableFailed = 30030;       ///< creating the marker table failed
inline constexpr int kConfirmInitialColour = 30031;    ///< make this colour the initial colour?
inline constexpr int kAskPdfWithMarkers = 30032;       ///< save as PDF: with markers?
inline constexpr int kNotText = 30033;                 ///< only text files can be processed
inline constexpr int kWordAlreadyRunning = 30034;      ///< a word processor is already running
inline constexpr int kNoWriteAccess = 30035;           ///< the location may lack write access
inline constexpr int kExpandFailed = 30036;            ///< expanding (unpacking) the file failed
inline constexpr int kOutOfRange = 30037;              ///< value out of range
inline constexpr int kWindowFailed = 30038;            ///< creating the window failed
inline constexpr int kCreateFailed = 30039;            ///< creating the file failed; access?
inline constexpr int kAskWordWithMarkers = 30040;      ///< output to Word: with markers?
inline constexpr int kConfirmMarkerTextUpdate = 30041; ///< update the marker text?
inline constexpr int kClipboardFailed = 30042;         ///< getting the clipboard text failed
inline constexpr int kTooManyEntries = 30043;          ///< maximum number of entries exceeded
inline constexpr int kTextTooLong = 30044;             ///< the text exceeds the fixed length
inline constexpr int kNoText = 30045;                  ///< no text entered
inline constexpr int kChangeFailed = 30046;            ///< change failed; perhaps in use
inline constexpr int kOverSeveralMarkers = 30047;      ///< overlaps several markers
inline constexpr int kFileManagerFailed = 30048;       ///< starting the file manager failed
inline constexpr int kStatusBarFailed = 30049;         ///< creating the status bar failed
inline constexpr int kTooManyHits = 30050;             ///< maximum number of hits exceeded
inline constexpr int kConfirmMakeLink = 30051;         ///< set the link?
inline constexpr int kConfirmRemoveLink = 30052;       ///< the link exists; remove it?
inline constexpr int kForbiddenNameChar = 30053;       ///< a character a file name cannot hold
inline constexpr int kConfirmSpanChange = 30054;       ///< change the marker span as above?
inline constexpr int kSearchConditionFailed = 30055;   ///< setting the search condition failed
inline constexpr int kBitmapFailed = 30056;            ///< reading the bitmap failed
inline constexpr int kFileInfoFailed = 30057;          ///< getting the file information failed
inline constexpr int kConfirmDeleteAllLinks = 30058;   ///< delete all links of this marker?
inline constexpr int kRangeHoldsMarkers = 30059;       ///< the range holds markers; continue?
inline constexpr int kKeyTableFailed = 30060;          ///< extending the key table failed
inline constexpr int kAskReplaceDirection = 30061;     ///< batch replace: forward or reverse?
inline constexpr int kWrapToStart = 30062;             ///< no more found; from the start?
inline constexpr int kWrapToEnd = 30063;               ///< no more found; from the end?
inline constexpr int kNoDocumentOpenUseAll = 30064;    ///< none open; all documents?
inline constexpr int kNoReplacementPhrase = 30065;     ///< no replacement phrase set
inline constexpr int kFolderCannotOpen = 30066;        ///< folders cannot be opened
inline constexpr int kAlreadyRegistered = 30067;       ///< already registered
inline constexpr int kSelectionDiffers = 30068;        ///< the selection is not the phrase
inline constexpr int kConfirmBatchReplace = 30069;     ///< batch replace?
inline constexpr int kCannotOpenFile = 30070;          ///< this file cannot be opened
inline constexpr int kBatchReplaceDone = 30071;        ///< batch replace finished
inline constexpr int kAlreadyRunning = 30072;          ///< already running
inline constexpr int kWorkFileOpenFailed = 30073;      ///< opening the work file failed
inline constexpr int kOverLimitContinue = 30074;       ///< over the limit; add only part?
inline constexpr int kWordStartFailed = 30075;         ///< starting the word processor failed
inline constexpr int kPdfSaved = 30076;                ///< PDF saved; show the location?
inline constexpr int kFileNotFound = 30077;            ///< file not found
inline constexpr int kConfirmBatchAdd = 30078;         ///< batch-add the subjects as above?
inline constexpr int kNothingToAdd = 30079;            ///< no text to add in the clipboard
inline constexpr int kDropNeedsFolder = 30080;         ///< make a folder and drop into it
inline constexpr int kSaveChanges = 30081;             ///< save the changes?
inline constexpr int kPrinterInitFailed = 30082;       ///< initialising the printer failed
inline constexpr int kConfirmDeleteWithLinks = 30083;  ///< delete? links go too; no undo
inline constexpr int kConfirmMoveMarker = 30084;       ///< move the marker?
inline constexpr int kNoMarker = 30085;                ///< no marker is set
inline constexpr int kConfirmExcelExport = 30086;      ///< output the subject list to Excel?
inline constexpr int kSwapFailed = 30087;              ///< swapping positions failed
inline constexpr int kPrinterDcFailed = 30088;         ///< getting the printer context failed
inline constexpr int kPrinterListFailed = 30089;       ///< enumerating printers failed
inline constexpr int kConfirmNodeDefaults = 30090;     ///< make this node's settings default?
inline constexpr int kInitialValuesSet = 30091;        ///< set as initial values
inline constexpr int kAskColourChange = 30092;         ///< change the marker colour too?
inline constexpr int kSubSubjectToSubSubject = 30093;  ///< no link between two sub-subjects
inline constexpr int kInsideMarker = 30094;            ///< text inside a marker cannot be edited
inline constexpr int kDictionaryAddFailed = 30095;     ///< adding the dictionary failed
inline constexpr int kDictionaryReadFailed = 30096;    ///< reading the dictionary failed
inline constexpr int kDictionaryUnknown = 30097;       ///< dictionary not identified
inline constexpr int kConfirmRegister = 30098;         ///< register?
inline constexpr int kDictionaryNotFound = 30099;      ///< dictionary file not found
inline constexpr int kNoLineSelected = 30100;          ///< no line selected
inline constexpr int kChartNotSearchable = 30101;      ///< the chart view cannot be searched
inline constexpr int kSamePhrases = 30102;             ///< before and after are the same
inline constexpr int kPhraseToReplaceNotFound = 30103; ///< phrase to replace not found
inline constexpr int kConfirmClearPhrases = 30104;     ///< clear the search phrases?
inline constexpr int kNoMatch = 30105;                 ///< no matching phrase found
inline constexpr int kConfirmOverwrite = 30106;        ///< already set; overwrite?
inline constexpr int kConfirmRemoveBookmark = 30107;   ///< remove this bookmark?
inline constexpr int kChartIsActive = 30108;           ///< the chart is active; use a text view
inline constexpr int kRibbonFailed = 30109;            ///< initialising the ribbon failed
inline constexpr int kDropOnRoot = 30110;              ///< no documents directly under the root
inline constexpr int kActiveWindowFailed = 30111;      ///< getting the active window failed
inline constexpr int kBackupFailed = 30112;            ///< creating the backup file failed
inline constexpr int kGuideShown = 30113;              ///< the operation guide is shown now
inline constexpr int kReadSizeDiffers = 30114;         ///< read size differs
inline constexpr int kNoMoreCanBeSet = 30165;          ///< no more can be set (after a limit)
inline constexpr int kManualMissing = 30173;           ///< no manual beside the executable
/// Not a message: the user manual's base name and the title of its window.
inline constexpr int kManualName = 30174;

// Messages added beyond the inherited catalogue (texts in AddedMessages.cpp).
/// A project opened with documents missing that its markers or open documents list name; the
/// leading text gives the number of missing documents and the first one's path.
inline constexpr int kMarkedDocumentsMissing = 39001;
/// Asked after a failed save at close or quit (Yes/No, default No).
inline constexpr int kCloseWithoutSaving = 39002;
/// An import replaced characters that Shift-JIS cannot hold; the leading text names the file and
/// the number of characters.
inline constexpr int kCharactersReplaced = 39003;
/// Pasted or typed text held characters CP932 cannot hold; they became "〓".
inline constexpr int kCharactersReplacedOnPaste = 39004;
/// An alignment command that centres the selected nodes found none selected.
inline constexpr int kAlignNeedsOneNode = 39005;
/// An alignment command that lines up or sizes nodes needs two selected and a main selection.
inline constexpr int kAlignNeedsTwoNodes = 39006;
/// Spreading needs three selected nodes.
inline constexpr int kAlignNeedsThreeNodes = 39007;
/// A word-processor or spreadsheet file was written; the leading text is its path. The file is
/// then opened with the desktop's default application.
inline constexpr int kOutputSaved = 39008;
/// The print dialog's printer could not start the job; the leading text names the printer.
inline constexpr int kPrintFailed = 39009;
/// A font typed into the properties grid had no name, or no number for its size.
inline constexpr int kFontFieldInvalid = 39010;
/// A batch replace was cancelled between two documents; the leading text is the summary of the
/// documents done.
inline constexpr int kBatchReplaceCancelled = 39011;

} // namespace corvane::msg
