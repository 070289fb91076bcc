#pragma once
// The labels of the border and decoration choices. The border drawer is keyed by these
// texts, so pictures, frames and one-line texts share it although they number their
// lists differently.

#include <QString>
#include <QStringList>

namespace zepo {

// "凸１(FA)" … "□(FD)", "ｶﾞﾗｽﾎﾞﾀﾝ(0)": index = the frame record's style.
const QStringList& FrameStyleLabels();
// "なし(0)", "凸１(FA)" … "凹３(FC2)": index = the picture record's frame.
const QStringList& PictureFrameLabels();
// "標準(0)", "背景(1)", "ふち(2)", "凸１(FA)" … "凹３(FC2)": index = the text record's decoration.
const QStringList& DecorationLabels();

// The label at an index, or an empty text (which draws nothing) outside the list.
QString LabelAt(const QStringList& labels, int index);

QString GlassButtonLabel();  // "ｶﾞﾗｽﾎﾞﾀﾝ(0)"

}  // namespace zepo
