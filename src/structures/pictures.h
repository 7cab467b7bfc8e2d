#pragma once
// The pictures of the two trees: one table per tree from picture number to a theme icon, and
// the file tree's picture of a file by its extension.

#include <QIcon>
#include <QString>

enum class PictureSet;

QIcon strukturPicture(PictureSet set, int number);
// The file-tree picture of a file path by its extension (the first matching row wins).
int filePicture(const QString &path);
// Extensions (with their dot, any letter case) of pictures and of text files.
bool isPictureExtension(const QString &extension);
bool isTextExtension(const QString &extension);
// The extension with its dot, as the path gives it ("" when there is none).
QString extensionOf(const QString &path);
