#pragma once
#include "editors/table_codec.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <vector>

namespace editors {

constexpr int kNoPosition = 65535;

// One CAN frame of a frame list with the array position of each data byte.
struct FrameMap
{
    QString cobId;               // as the frame list holds it
    int dim = 0;
    std::array<int, 8> pos{kNoPosition, kNoPosition, kNoPosition, kNoPosition,
                           kNoPosition, kNoPosition, kNoPosition, kNoPosition};
    bool operator==(const FrameMap&) const = default;
};

// The receive or send byte map window's constants.
struct ByteMapDef
{
    const char* objectName;
    QString* framesPath;
    const char* framesSection;
    QString* path;
    const char* root;
    const char* limitElement;    // ParGen.xml element of the array size
    bool checkDoubleUse;
    // Text numbers: caption, description, OK, Cancel, titles (COB ID,
    // Bytes), first byte caption, array caption, its SNMP twin, "Not in
    // use", first value error, " or none", first double-use text.
    int caption, desc, ok, cancel, titleCob, titleBytes, byteCaption, arrayCaption, arraySnmp, notInUse,
        valueError, orNone, doubleUse;
};

extern const ByteMapDef kRecInfo;
extern const ByteMapDef kSendInfo;

// The frames of a frame list (Cob_Id and Dimension of each row of the
// section), every byte at none.
LoadResult ReadFrames(const ByteMapDef& def, const QByteArray& bytes, const QString& fileName,
                      std::vector<FrameMap>& frames);
// The map file's rows into the frames by position; bytes past a frame's
// dimension stay none. Positions are kept as stored.
LoadResult ReadMap(const QByteArray& bytes, const QString& fileName, std::vector<FrameMap>& frames);
QByteArray WriteMap(const ByteMapDef& def, const std::vector<FrameMap>& frames, int deviceType);

// The value error of byte k (0..7): its text, max - 1 and " or none".
QString ValueError(const ByteMapDef& def, int k, int max);
// A typed position for byte k: none for blank or "none" in any case, else a
// number below max. Empty text when stored, else the error box's text.
QString EditPosition(const ByteMapDef& def, int k, const QString& text, int max, int& pos);
// OK's check: every stored position below max (the value error of the first
// one that is not, with its frame), and on the receive side every position
// used once. Empty when the map passes; frame is the frame to select.
QString CheckMap(const ByteMapDef& def, const std::vector<FrameMap>& frames, int max, int& frame);

// The array size: 1024 on type 15, else the ParGen.xml element (1439 when
// missing or not a number), within 1..1439.
int NumByteMax(const ByteMapDef& def, int deviceType);

} // namespace editors

namespace editors {

// The byte map window without its widgets.
class ByteMapModel
{
public:
    explicit ByteMapModel(const ByteMapDef& def) : def_(def) {}

    const ByteMapDef& Def() const { return def_; }
    const std::vector<FrameMap>& Frames() const { return frames_; }
    int Selected() const { return selected_; }
    int NumByteMax() const { return max_; }

    // Reads the array size, the frames and the map; selects the first frame.
    void FormShow();
    void Select(int frame);
    // Leaving the edit of byte k of the selected frame: stores the position
    // or shows the value error and returns false.
    bool LeaveEdit(int k, const QString& text);
    // The edit text of byte k of the selected frame.
    QString EditText(int k) const;
    // OK: the check (selecting the faulty frame), the question where a file
    // was not fully loaded, the writing. True when written.
    bool Accept();

private:
    const ByteMapDef& def_;
    std::vector<FrameMap> frames_;
    int selected_ = -1;
    int max_ = 1439;
    bool complete_ = true;
};

} // namespace editors
