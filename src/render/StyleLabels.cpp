#include "render/StyleLabels.h"

namespace zepo {

const QStringList& FrameStyleLabels() {
    static const QStringList labels = {"凸１(FA)", "凹１(FA2)", "凸２(FB)", "凹２(FB2)",
                                       "凸３(FC)", "凹３(FC2)", "□(FD)",    "ｶﾞﾗｽﾎﾞﾀﾝ(0)"};
    return labels;
}

const QStringList& PictureFrameLabels() {
    static const QStringList labels = {"なし(0)",   "凸１(FA)", "凹１(FA2)", "凸２(FB)",
                                       "凹２(FB2)", "凸３(FC)", "凹３(FC2)"};
    return labels;
}

const QStringList& DecorationLabels() {
    static const QStringList labels = {"標準(0)",  "背景(1)",   "ふち(2)",  "凸１(FA)", "凹１(FA2)",
                                       "凸２(FB)", "凹２(FB2)", "凸３(FC)", "凹３(FC2)"};
    return labels;
}

QString LabelAt(const QStringList& labels, int index) {
    return index >= 0 && index < labels.size() ? labels[index] : QString();
}

QString GlassButtonLabel() { return QStringLiteral("ｶﾞﾗｽﾎﾞﾀﾝ(0)"); }

}  // namespace zepo
