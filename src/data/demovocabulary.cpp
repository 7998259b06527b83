#include "demovocabulary.h"

namespace DemoVocabulary {

namespace {

QStringList words(const char *spaceSeparated)
{
    return QString::fromUtf8(spaceSeparated).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

SubCategory sub(const char *name, const char *items, const char *materials, const char *specs, const char *unit,
                double low, double high)
{
    return SubCategory{QString::fromUtf8(name), words(items), words(materials), words(specs),
                       QString::fromUtf8(unit), low, high};
}

QList<Category> buildCategories()
{
    QList<Category> c;
    c << Category{QStringLiteral("紧固件"), QStringLiteral("紧固件"), words("东明 晋亿 长城 国强 固耐"),
                  {sub("螺栓", "六角螺栓 法兰螺栓 内六角螺栓 膨胀螺栓", "不锈钢 镀锌 高强度 碳钢", "M6 M8 M10 M12 M16 M20", "只", 0.2, 6),
                   sub("螺母", "六角螺母 防松螺母 法兰螺母 盖形螺母", "不锈钢 镀锌 尼龙", "M6 M8 M10 M12 M16", "只", 0.05, 2),
                   sub("垫圈", "平垫圈 弹簧垫圈 止动垫圈", "不锈钢 镀锌 黄铜", "Φ6 Φ8 Φ10 Φ12 Φ16", "只", 0.02, 0.8),
                   sub("螺钉", "十字盘头螺钉 沉头螺钉 自攻螺钉 紧定螺钉", "不锈钢 镀锌 发黑", "M3 M4 M5 M6", "只", 0.03, 0.6),
                   sub("铆钉", "抽芯铆钉 实心铆钉 拉铆螺母", "铝制 不锈钢 铁制", "3.2×8 4×10 4.8×12 5×16", "盒", 8, 60)}};
    c << Category{QStringLiteral("五金工具"), QStringLiteral("五金机电"), words("世达 史丹利 长城精工 波斯 东成"),
                  {sub("手动工具", "活动扳手 螺丝刀 钢丝钳 尖嘴钳 管钳", "铬钒钢 碳钢 专业级", "6寸 8寸 10寸 12寸", "把", 8, 120),
                   sub("电动工具", "电钻 角磨机 电锤 冲击起子 切割机", "充电式 工业级 家用", "500W 800W 1200W 18V", "台", 150, 1800),
                   sub("量具", "游标卡尺 千分尺 钢卷尺 水平尺 直角尺", "数显 不锈钢 普通", "0-150mm 0-300mm 3m 5m", "把", 10, 650),
                   sub("切削工具", "麻花钻头 丝锥 立铣刀 锯片 板牙", "高速钢 硬质合金 含钴", "Φ3 Φ5 Φ8 Φ10 Φ12", "支", 3, 180),
                   sub("焊接材料", "电焊条 气保焊丝 焊锡丝", "碳钢 不锈钢 无铅", "Φ2.5 Φ3.2 Φ4.0 1.0mm", "公斤", 12, 95)}};
    c << Category{QStringLiteral("电工电料"), QStringLiteral("电气"), words("正泰 德力西 公牛 施耐德 欧普"),
                  {sub("电线电缆", "铜芯电线 护套线 电力电缆 控制电缆", "国标 阻燃 耐火", "BV1.5 BV2.5 BV4 RVV3×2.5 YJV4×16", "米", 1.2, 85),
                   sub("开关插座", "墙壁开关 五孔插座 空调插座 接线板", "86型 防水 工程款", "单开 双开 10A 16A", "个", 4, 65),
                   sub("断路器", "小型断路器 漏电保护器 塑壳断路器", "1P 2P 3P", "16A 32A 63A 100A", "只", 12, 480),
                   sub("照明灯具", "LED灯管 LED筒灯 投光灯 应急灯", "节能 防爆 工程", "9W 18W 36W 100W", "只", 8, 320),
                   sub("继电器", "交流接触器 中间继电器 热过载继电器 时间继电器", "CJX2 JZX NR2 JSZ3", "9A 18A 25A 40A", "只", 18, 260)}};
    c << Category{QStringLiteral("管材管件"), QStringLiteral("管业"), words("联塑 伟星 金德 友发 天津钢管"),
                  {sub("钢管", "无缝钢管 焊接钢管 镀锌钢管", "20# Q235 304", "DN15 DN20 DN25 DN50 DN80", "米", 12, 160),
                   sub("塑料管", "PPR管 PVC管 PE管", "冷水 热水 给水", "20mm 25mm 32mm 50mm 110mm", "米", 3, 60),
                   sub("管件", "弯头 三通 异径管 管帽 活接", "镀锌 不锈钢 PPR", "DN15 DN20 DN25 DN50", "个", 1.5, 45),
                   sub("法兰", "平焊法兰 对焊法兰 盲板法兰", "碳钢 不锈钢", "DN50 DN80 DN100 DN150", "片", 25, 380),
                   sub("阀门", "闸阀 球阀 截止阀 止回阀 蝶阀", "铸铁 铸钢 不锈钢 黄铜", "DN15 DN25 DN50 DN100", "台", 25, 1600)}};
    c << Category{QStringLiteral("轴承传动"), QStringLiteral("轴承"), words("哈轴 瓦轴 洛轴 人本 NSK"),
                  {sub("深沟球轴承", "深沟球轴承 带座轴承", "开式 双面密封 防尘", "6201 6204 6205 6305 6308", "套", 6, 160),
                   sub("滚子轴承", "圆锥滚子轴承 圆柱滚子轴承 调心滚子轴承", "国标 精密", "30205 30208 32210 22212", "套", 25, 420),
                   sub("传动带", "三角带 同步带 平皮带", "橡胶 聚氨酯", "A-1000 B-1500 5M-450 8M-1200", "条", 8, 220),
                   sub("链条链轮", "滚子链 链轮 输送链", "碳钢 不锈钢", "08B 10A 12A 16A", "条", 30, 450),
                   sub("联轴器", "弹性联轴器 梅花联轴器 齿式联轴器", "铸铁 铝合金", "Φ20 Φ30 Φ45 Φ60", "套", 45, 900)}};
    c << Category{QStringLiteral("劳保用品"), QStringLiteral("劳保用品"), words("代尔塔 霍尼韦尔 3M 际华 双安"),
                  {sub("防护手套", "劳保手套 浸胶手套 防割手套 电焊手套", "棉纱 丁腈 皮革", "均码 L号 XL号", "双", 1.5, 38),
                   sub("安全帽", "安全帽 电工安全帽", "ABS 玻璃钢 PE", "红色 黄色 蓝色 白色", "顶", 12, 85),
                   sub("工作服", "工作服 反光背心 防静电服", "涤棉 纯棉", "M L XL XXL", "套", 25, 260),
                   sub("劳保鞋", "劳保鞋 绝缘鞋 雨靴", "钢包头 防砸 防滑", "40码 41码 42码 43码", "双", 45, 280),
                   sub("防护用品", "防尘口罩 防护眼镜 耳塞 防护面屏", "KN95 防雾 硅胶", "单只装 10只装 50只装", "盒", 5, 120)}};
    c << Category{QStringLiteral("化工原料"), QStringLiteral("化工"), words("长城 昆仑 乐泰 三棵树 嘉宝莉"),
                  {sub("润滑油脂", "液压油 齿轮油 润滑脂 导轨油", "46# 68# 220# 3#", "1L 4L 18L 200L", "桶", 35, 2600),
                   sub("胶粘剂", "结构胶 厌氧胶 玻璃胶 快干胶", "双组份 中性 耐高温", "50ml 250ml 300ml 1kg", "支", 3, 180),
                   sub("油漆涂料", "防锈漆 醇酸调和漆 环氧地坪漆 稀释剂", "红丹 铁红 灰色 白色", "1kg 3kg 15kg 20kg", "桶", 25, 680),
                   sub("清洗剂", "除锈剂 清洗剂 脱脂剂", "工业 环保 强力", "500ml 5L 25L", "瓶", 8, 420),
                   sub("化学试剂", "工业酒精 丙酮 氢氧化钠 盐酸", "分析纯 工业级", "500ml 2.5L 25kg", "瓶", 15, 260)}};
    c << Category{QStringLiteral("包装材料"), QStringLiteral("包装材料"), words("合兴 永丰 金洲 顺丰包装 大胜"),
                  {sub("纸箱", "瓦楞纸箱 飞机盒 周转箱", "三层 五层 加厚", "30×20×20 40×30×30 60×40×40", "个", 1, 35),
                   sub("胶带", "封箱胶带 美纹纸胶带 双面胶 警示胶带", "透明 米黄 黑黄", "48mm×100m 24mm×50m 60mm×150m", "卷", 2, 25),
                   sub("缓冲材料", "缠绕膜 气泡膜 珍珠棉", "PE 加厚", "50cm×300m 100cm×50m 120cm×100m", "卷", 18, 160),
                   sub("打包带", "PP打包带 PET塑钢带 钢带", "手工 机用", "12mm 16mm 19mm", "卷", 35, 280),
                   sub("标签", "不干胶标签 吊牌 条码纸", "铜版纸 热敏纸", "40×30 60×40 100×100", "卷", 8, 90)}};
    c << Category{QStringLiteral("办公用品"), QStringLiteral("办公用品"), words("得力 晨光 齐心 惠普 佳能"),
                  {sub("纸张", "复印纸 打印纸 牛皮纸", "A4 A3", "70g 80g", "箱", 90, 260),
                   sub("文具", "中性笔 记号笔 文件夹 订书机 计算器", "标准 商务 学生", "0.5mm 黑色 蓝色 标准型", "个", 1, 90),
                   sub("打印耗材", "硒鼓 墨盒 色带 碳粉", "兼容 原装", "黑色 彩色 大容量", "个", 25, 680),
                   sub("办公设备", "碎纸机 装订机 考勤机", "静音 商用", "标准型 豪华型", "台", 180, 2600),
                   sub("清洁用品", "拖把 垃圾袋 抽纸 洗手液", "加厚 家用 商用", "大号 中号 3层", "包", 3, 65)}};
    c << Category{QStringLiteral("电子元器件"), QStringLiteral("电子科技"), words("欧姆龙 明纬 国巨 风华 西门子"),
                  {sub("阻容元件", "贴片电阻 电解电容 陶瓷电容", "0805 1206 插件", "10K 100uF 104 1K", "盘", 5, 120),
                   sub("传感器", "接近开关 光电开关 温度传感器 压力变送器", "电感式 对射式 PT100 扩散硅", "M12 M18 0-1MPa 0-100℃", "只", 35, 1200),
                   sub("连接器", "接线端子 航空插头 网线水晶头", "UK2.5 GX16 RJ45", "2芯 4芯 8芯", "个", 0.3, 45),
                   sub("电源模块", "开关电源 控制变压器 稳压器", "24V 12V 5V", "50W 100W 350W", "台", 35, 680),
                   sub("控制元件", "按钮开关 指示灯 转换开关 行程开关", "LA38 AD16 LW26 LX19", "22mm 红色 绿色 黄色", "只", 3, 85)}};
    return c;
}

QList<City> buildCities()
{
    struct Row {
        const char *name, *province, *area, *post;
    };
    static const Row rows[] = {
        {"上海", "上海市", "021", "200"},   {"杭州", "浙江省", "0571", "310"}, {"宁波", "浙江省", "0574", "315"},
        {"温州", "浙江省", "0577", "325"},  {"苏州", "江苏省", "0512", "215"}, {"无锡", "江苏省", "0510", "214"},
        {"常州", "江苏省", "0519", "213"},  {"南京", "江苏省", "025", "210"},  {"合肥", "安徽省", "0551", "230"},
        {"广州", "广东省", "020", "510"},   {"深圳", "广东省", "0755", "518"}, {"佛山", "广东省", "0757", "528"},
        {"东莞", "广东省", "0769", "523"},  {"青岛", "山东省", "0532", "266"}, {"济南", "山东省", "0531", "250"},
        {"天津", "天津市", "022", "300"},   {"北京", "北京市", "010", "100"},  {"武汉", "湖北省", "027", "430"},
        {"成都", "四川省", "028", "610"},   {"重庆", "重庆市", "023", "400"},  {"厦门", "福建省", "0592", "361"},
        {"郑州", "河南省", "0371", "450"},  {"长沙", "湖南省", "0731", "410"}, {"沈阳", "辽宁省", "024", "110"},
        {"西安", "陕西省", "029", "710"},
    };
    QList<City> out;
    for (const Row &r : rows)
        out << City{QString::fromUtf8(r.name), QString::fromUtf8(r.province), QString::fromLatin1(r.area),
                    QString::fromLatin1(r.post)};
    return out;
}

} // namespace

const QList<Category> &categories()
{
    static const QList<Category> c = buildCategories();
    return c;
}

QStringList levelNames(int level)
{
    if (level <= 3)
        return words("国产 进口 合资");
    if (level == 4)
        return words("标准型 加强型 经济型");
    return words("甲系列 乙系列 丙系列");
}

const QList<City> &cities()
{
    static const QList<City> c = buildCities();
    return c;
}

QStringList regions() { return words("华东 华南 华北 华中 西南 东方 中原 江南"); }

QStringList companyCores()
{
    return words("宏达 恒通 鑫源 金泰 永盛 华威 伟业 瑞丰 盛达 隆兴 新星 博远 天成 宝丰 嘉信 安捷 丰源 凯达 "
                 "聚鑫 荣昌 顺发 腾飞 远航 众诚 汇丰 精诚 长兴 利民 兴旺 德隆 富源 鼎盛 华盛 万通 金鼎 "
                 "海纳 同创 诚信 广益 协力");
}

QStringList companySuffixes() { return words("有限公司 贸易有限公司 实业有限公司 制造有限公司 商行 经营部"); }

QStringList streets()
{
    return words("人民路 解放路 建设路 中山路 工业大道 科技园路 开发区大道 长江路 黄河路 环城东路 五金城 机电市场");
}

QStringList banks() { return words("中国工商银行 中国建设银行 中国农业银行 中国银行 交通银行 招商银行 兴业银行"); }

QStringList surnames()
{
    return words("王 李 张 刘 陈 杨 赵 黄 周 吴 徐 孙 胡 朱 高 林 何 郭 马 罗 梁 宋 郑 谢 韩 唐 冯 于 董 萧 程 曹 "
                 "袁 邓 许 傅 沈 曾 彭 吕");
}

QStringList maleNames()
{
    return words("伟 强 磊 军 洋 勇 杰 涛 明 超 刚 平 建华 晓东 志强 国庆 文博 浩然 建国 晓明 俊杰 宏伟 思远");
}

QStringList femaleNames() { return words("芳 娜 秀英 敏 静 丽 艳 娟 秀兰 霞 桂英 海燕 子涵 雨欣 丽华 春梅 欣怡"); }

QStringList origins()
{
    return words("浙江温州 浙江宁波 江苏无锡 江苏苏州 上海 广东佛山 广东东莞 山东青岛 河北邯郸 天津 河南郑州 "
                 "湖北武汉 四川成都 辽宁瓦房店 福建厦门");
}

QStringList importOrigins() { return words("德国 日本 美国 韩国 意大利"); }

QStringList remarks() { return words("急件 分批到货 含运费 月结 质检合格 现款现货 按合同执行 样品试用"); }

QStringList depots() { return words("一号仓库 二号仓库 三号仓库 原料仓库 成品仓库 备件仓库 辅料仓库 周转仓库"); }

QStringList units()
{
    QStringList u;
    for (const Category &c : categories())
        for (const SubCategory &s : c.subs)
            if (!u.contains(s.unit))
                u << s.unit;
    for (const QString &extra : words("件 吨 袋 张 根 块"))
        if (!u.contains(extra))
            u << extra;
    return u;
}

QStringList payModes() { return words("现金 转帐支票 电汇 银行承兑汇票 商业承兑汇票 网银转账"); }

QStringList accounts() { return words("工商银行基本户 建设银行一般户 农业银行结算户 现金账户"); }

QStringList invoiceKinds() { return words("增值税专用发票 增值税普通发票 电子发票 收据"); }

QStringList duties() { return words("总经理 采购经理 采购员 仓库管理员 会计 出纳 质检员"); }

QStringList departments() { return words("总经理室 采购部 仓储部 财务部 质检部"); }

QStringList supplierTypes() { return words("生产厂家 代理商 经销商 贸易公司 个体商户"); }

QStringList paymentItems() { return words("货款 预付款 运费 质保金"); }

} // namespace DemoVocabulary
