// The main window: owns the model, the grid geometry and the settings for the whole run.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include <QMainWindow>
#include <QString>

#include "app/command_rules.h"
#include "app/cursors.h"
#include "app/edit_modes.h"
#include "app/file_dialogs.h"
#include "app/offset_dialog.h"
#include "model/grid_geometry.h"
#include "model/grid_ops.h"
#include "model/preview_mesh.h"
#include "model/preview_texture.h"
#include "model/saved_shape.h"
#include "model/sculpt_data.h"
#include "model/settings.h"
#include "model/undo_history.h"
#include "modes/mode_handlers.h"

class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QScrollArea;
class QSpinBox;
class QSplitter;
class QTabBar;
class QTimer;
class QToolButton;

namespace orvane {

class TAboutDlg;
class TEditLineDlg;
class TEditImage;
class TPreviewView;
class TSetupDlg;
class TSidesDlg;
class TSpaceMouseDevice;

struct TMainFrmOptions {
  QString SettingsPath;  // the settings store's file
};

// Drag state of the 2D view.
enum TDragState : std::uint8_t {
  dsNone = 0,
  dsMove = 1,
  dsRubberBand = 2,
  dsBitmapRubberBand = 3,
  dsPaint = 4,
  dsHandle = 5,
  dsPivot = 6,
};

// A read-out value as three digits, clamped to 0 .. 255.
QString FormatCoord(int v);

// The rebuilt captions of the two mirror commands for the grid's aspect.
QString HorizontalMirrorCaption(const TGridGeometry& grid);
QString VerticalMirrorCaption(const TGridGeometry& grid);

// Pen widths offered for the texture pens, in pixels.
inline constexpr int PenWidths[] = {1, 3, 5, 10, 20, 25, 30};

class TMainFrm : public QMainWindow {
  Q_OBJECT
 public:
  explicit TMainFrm(const TMainFrmOptions& options, QWidget* parent = nullptr);
  ~TMainFrm() override;

  // Shared tails of commands and input handlers.
  void ApplyEdit();
  void RefreshView();
  void NewModel(int type, int aspect);
  void FinishNew();
  void InitTexture();
  void RebuildTabs();
  void TabControlChange();

  // Read access for the commands, the modes' hosts and the tests.
  const TSculptData& Model() const { return FModel; }
  const TGridGeometry& Grid() const { return FGrid; }
  const TAppSettings& Settings() const { return FSettings; }
  TEditMode Mode() const { return FMode; }
  bool Starting() const { return FStarting; }
  bool MeshDirty() const { return FMeshDirty; }
  bool TextureDirty() const { return FTextureDirty; }
  const std::vector<TEditMode>& TabModes() const { return FTabModes; }
  // How often the idle handler has rebuilt the mesh and uploaded the texture.
  int MeshBuilds() const { return FMeshBuilds; }
  int TextureUploads() const { return FTextureUploads; }
  const TUndoHistory& History() const { return FUndo; }
  TPreviewView* Preview() const { return GLSceneViewer1; }
  const TTextureSet& Textures() const { return FTextures; }
  const TViewState& ViewState() const { return FViewState; }

  // The dialogs that the edit commands ask; tests answer them without a person.
  using TOffsetChooser = std::function<TOffsetChoice(int sculptType, bool squareGrid)>;
  void SetPlaneChooser(TPlaneChooser chooser) { FPlaneChooser = std::move(chooser); }
  void SetOffsetChooser(TOffsetChooser chooser) { FOffsetChooser = std::move(chooser); }
  void SetUserDialogs(TUserDialogs dialogs) { FDialogs = std::move(dialogs); }
  int SaveKind() const { return FSaveKind; }
  // Refreshes the enabled and visible states of the commands.
  void UpdateActions();
  // What the command rules look at now.
  TCommandContext CommandContext() const;
  // The model differs from what was last saved or loaded (or started with).
  bool Modified() const;
  TDragState DragState() const { return FDragState; }
  int HandleCode() const { return FHandleCode; }
  double ZoomFactor() const { return FZoom; }
  TMode* ModeObject(TEditMode mode) const { return FModes[mode].get(); }
  // Replaces a mode's handlers (the modes register here; tests install probes).
  void SetMode(TEditMode mode, std::unique_ptr<TMode> handlers);

  // Input routing of the 2D view, public so that tests can drive it like the events do.
  void ImageMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers mods, int x, int y);
  void ImageMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods, int x, int y);
  void ImageMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers mods, int x, int y);
  void FormMouseWheel(const QPoint& globalPos, int delta);
  void FormKeyUp(int key, Qt::KeyboardModifiers mods);
  void ZoomBy(double d);
  void ZoomOutBy(double d);
  // Emitted after each idle turn that found nothing left to do.
  Q_SIGNAL void Idle();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildLayout();
  void BuildBottomControls(QWidget* page);
  void BuildMenus();
  void BuildEditMenu(QMenuBar* bar);
  void BuildFileMenuCommands(QMenu* file, QAction* before);
  void UpdateFileActions();
  void BuildViewChoices(QMenu* view, QAction* before);
  void UpdateViewActions();
  void BuildBackgroundCommands(QMenu* view);
  void ViewLoadBkgroundExecute();
  void UpdateBackgroundActions();
  TFileQuestion PrepareOpenDialog(const QString& file) const;
  void ShowFileError(const char* verb, const QString& file, const QString& reason);
  bool LoadModel(const QString& file, int kind, QString* reason);
  bool SaveModelAs(const QString& file, int kind);
  bool OpenTexture(const QString& file);
  void FileSTLoadExecute();
  void FileSTSaveExecute();
  bool SaveWithDialog();
  void FileStSaveLastExecute();
  void FileTxLoadExecute();
  void FileTxSaveExecute();
  void EditUndoExecute(bool redo);
  void FlagCommand(const std::function<void()>& op);
  void BuildShapeMenu(QMenuBar* bar);
  void BuildSidesMenu(QMenuBar* bar);
  void BuildSectionMenu(QMenuBar* bar);
  void BuildHelpMenu(QMenuBar* bar);
  void NewExecute(int type, int aspect);
  void CollectRuledActions();
  // Commands are ignored before the first show and while a drag is on.
  bool CommandsBlocked() const;
  bool Offered(std::string_view action) const;
  // Runs a mode operation when the action's rule offers it; records the edit when it ran,
  // and says whether it did.
  bool ModeCommand(std::string_view action, const std::function<bool()>& op);
  // A menu action that runs the mode operation op with its tag through ModeCommand.
  QAction* AddModeCommand(QMenu* menu, const char* caption, const char* name, const QKeySequence& key, int tag,
                          bool (TMainFrm::*op)(int tag));
  TMode& ModeFor(TEditMode mode) const;
  bool EditRotateOp(int tag);
  bool EditAlignOp(int tag);
  bool EditEqualOp(int tag);
  bool EditEqualCurvesOp(int tag);
  bool EditTwistOp(int tag);
  bool EditSameWidthOp(int tag);
  bool EditOptimizeOp(int tag);
  bool EditMagnetOp(int tag);
  bool EditSmoothOp(int tag);
  void EditCopyExecute();
  void EditPasteExecute();
  bool ShapePillarOp(int tag);
  void ShapePillarExecute(std::string_view action, int tag);
  bool ShapeBallOp(int tag);
  bool ShapeBevelOp(int tag);
  bool ShapeFillPillarOp(int tag);
  bool ShapeCushionOp(int tag);
  TMarkArray* SidesMarks() const;
  void SidesCommand(const std::function<void(TMarkArray&)>& op);
  void SidesCustomExecute();
  void ViewEditLineExecute();
  void SideSmoothExecute();
  void SectionExecute(int type);
  // Asks to save changed work first; false when the user cancels (or the save fails).
  bool ConfirmDiscard();
  void RememberSavedShape();
  void FormCreate();
  void FormShow();
  void FormDestroy();
  void ShowModeControls(TEditMode mode);
  void ActivateMode();
  void DrawView();
  void UpdatePenButtons();
  void UpdateLineButton();
  void ShowReadout(int x, int y);
  void DrawRubberBand();
  int DrawZoom() const;
  int* SectionCursor();
  void SBXYZClick(int plane);
  void spBtnGLkClick();
  void StepSection(bool up);
  void UpdatePointFields();
  void FinishPointEdit();
  void NudgeClick(int axis, int sign);
  void BitBtnXYZUpdateClick();
  void DrawPenGlyphs();
  void SetStatus(int panel, const QString& text);
  void SetMeshDirty();
  void SetTextureDirty();
  void ArmIdle();
  void IdleHandler();
  void UploadTexture();
  void RefreshTextureOverlay();
  void ShowTexturePicture();
  void FileSetupExecute();
  void ViewLevelExecute(int level);

  TMainFrmOptions FOptions;
  TAppSettings FSettings;
  TGridGeometry FGrid;
  TSculptData FModel;

  std::vector<TEditMode> FTabModes;
  int FViewerX = 0, FViewerY = 0;
  int FPressX = 0, FPressY = 0;
  int FCurX = 0, FCurY = 0;
  bool FStarting = true;
  TDragState FDragState = dsNone;
  int FHandleCode = -1;
  TEditMode FMode = emNone;
  bool FTextureDirty = false;
  bool FMeshDirty = false;
  double FZoom = 2.0;
  double FZoomBitmap = 2.0;
  bool FClipboardFull = false;
  int FSaveKind = -1;
  int FMeshBuilds = 0;
  int FTextureUploads = 0;

  // Components, named as the rest of the program refers to them.
  QSplitter* Splitter1 = nullptr;
  QWidget* Panel1 = nullptr;
  QWidget* Panel2 = nullptr;
  QMenuBar* ActionMainMenuBar1 = nullptr;
  QMenuBar* ActionMainMenuBar2 = nullptr;
  TPreviewView* GLSceneViewer1 = nullptr;
  QTabBar* TabControl = nullptr;
  QScrollArea* ScrollBox1 = nullptr;
  TEditImage* Image = nullptr;
  std::vector<QLabel*> StatusPanels;
  QToolButton *SBXZ = nullptr, *SBYZ = nullptr, *SBXY = nullptr;
  QToolButton *spBtnGLk = nullptr, *spBtnGDn = nullptr, *spBtnGUp = nullptr;
  QToolButton *SpBtnPen[4] = {}, *SpBtnErase = nullptr;
  QComboBox* CBPenWidth = nullptr;
  QLabel *LBX = nullptr, *LBY = nullptr, *LBZ = nullptr, *LBS = nullptr;
  QSpinBox* SE1 = nullptr;
  QLineEdit *NEX = nullptr, *NEY = nullptr, *NEZ = nullptr;
  QToolButton* spBtnXYZUpdate = nullptr;
  QToolButton *spBtnXUp = nullptr, *spBtnXDn = nullptr, *spBtnYUp = nullptr, *spBtnYDn = nullptr,
              *spBtnZUp = nullptr, *spBtnZDn = nullptr;
  QAction* ViewLevel01 = nullptr;
  QAction* ViewLevel02 = nullptr;
  QAction* ViewLevel04 = nullptr;
  QAction* FileStSaveLast = nullptr;
  QAction* FileTxLoadLast = nullptr;
  TUserDialogs FDialogs;
  QAction* EditUndo = nullptr;
  QAction* EditRedo = nullptr;
  std::vector<QAction*> FNewTypeActions;    // File > New > Sphere .. Cylinder
  std::vector<QAction*> FNewAspectActions;  // their aspects, type after type
  std::vector<QAction*> FSectionActions;
  std::vector<std::pair<std::string_view, QAction*>> FRuledActions;
  std::array<QAction*, 2> FMirrorActions{};
  std::vector<QAction*> FZoomActions;
  std::vector<QAction*> FGridActions;
  std::vector<QAction*> FSymmetryActions;
  QMenu* MenuSymmetry = nullptr;
  QAction* ViewDispBkground = nullptr;
  QAction* ViewLoadBkground = nullptr;
  TViewState FViewState;
  TUndoHistory FUndo;
  TPlaneChooser FPlaneChooser;
  TOffsetChooser FOffsetChooser;
  QTimer* FIdleTimer = nullptr;
  std::unique_ptr<TSetupDlg> SetupDlg;
  std::unique_ptr<TSidesDlg> SidesDlg;
  std::unique_ptr<TAboutDlg> AboutDlg;
  std::unique_ptr<TEditLineDlg> EditLineDlg;
  TSavedShape FSavedShape;
  QMenu* PopupMenu1 = nullptr;
  QMenu* MenuSides = nullptr;

  std::array<std::unique_ptr<TMode>, 8> FModes;
  TMode* FHandlers = nullptr;
  std::array<std::pair<double, double>, 8> FScrollMemory{};
  TCursorSet FCursors;
  TPreviewMesh FPreviewMesh;
  TTextureSet FTextures;
  TSpaceMouseDevice* FSpaceMouse = nullptr;
};

}  // namespace orvane
