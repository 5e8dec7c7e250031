#include "serial/errorcodetext.h"

#include "serialdevice/windowserror.h"

namespace {

struct CodeText {
    quint32 code;
    const char* text;
};

constexpr CodeText kCodeTexts[] = {
    {0, " (The operation completed successfully)."},
    {1, " (Incorrect function)."},
    {2, " (The system cannot find the file specified)."},
    {3, " (The system cannot find the path specified)."},
    {4, " (The system cannot open the file because there are too many open files)."},
    {5, " (Access is denied)."},
    {6, " (The handle is invalid)."},
    {7, " (The storage control blocks were destroyed)."},
    {8, " (Not enough storage is available to process this command)."},
    {9, " (The storage control block address is invalid)."},
    {10, " (The environment is incorrect)."},
    {11, " (An attempt was made to load a program with an incorrect format)."},
    {12, " (The access code is invalid)."},
    {13, " (The data is invalid)."},
    {14, " (Not enough storage is available to complete this operation)."},
    {15, " (The system cannot find the drive specified)."},
    {16, " (The directory cannot be removed)."},
    {17, " (The system cannot move the file to a different disk drive)."},
    {18, " (There are no more files)."},
    {19, " (The media is write protected)."},
    {20, " (The system cannot find the device specified)."},
    {21, " (The device is not ready)."},
    {22, " (The device does not recognize the command)."},
    {23, " (Data error of cyclic redundancy check)."},
    {24, " (The program issued a command but the command length is incorrect)."},
    {25, " (The drive cannot locate a specific area or track on the disk)."},
    {26, " (The specified disk or diskette cannot be accessed)."},
    {29, " (The system cannot write to the specified device)."},
    {30, " (The system cannot read from the specified device)."},
    {32, " (The process cannot access the file because it is being used by another process)."},
    {33, " (The process cannot access the file because another process has locked a portion of the file)."},
    {38, " (Reached the end of the file)."},
    {39, "  (The disk is full)."},
    {54, " (The network is busy)."},
};

}  // namespace

QString ErrorCodeText(quint32 code)
{
    for (const CodeText& entry : kCodeTexts) {
        if (entry.code == code)
            return QString::fromLatin1(entry.text);
    }
    return WindowsError::systemText(code);
}
