<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name></name>
    <message id="新建">
        <source></source>
        <translation>New</translation>
    </message>
    <message id="打开">
        <source></source>
        <translation>Open</translation>
    </message>
    <message id="存储">
        <source></source>
        <translation>Save</translation>
    </message>
    <message id="导入">
        <source></source>
        <translation>Import</translation>
    </message>
    <message id="放大">
        <source></source>
        <translation>Zoom In</translation>
    </message>
    <message id="缩小">
        <source></source>
        <translation>Zoom Out</translation>
    </message>
    <message id="适合窗口">
        <source></source>
        <translation>Fit Window</translation>
    </message>
    <message id="配置">
        <source></source>
        <translation>Threads</translation>
    </message>
    <message id="色块">
        <source></source>
        <translation>Blocks</translation>
    </message>
    <message id="#色">
        <source></source>
        <translation># on Colour</translation>
    </message>
    <message id="仿真">
        <source></source>
        <translation>Realistic</translation>
    </message>
    <message id="导出">
        <source></source>
        <translation>Export</translation>
    </message>
    <message id="设置">
        <source></source>
        <translation>Settings</translation>
    </message>
    <message id="打印">
        <source></source>
        <translation>Print</translation>
    </message>
    <message id="关闭">
        <source></source>
        <translation>Close</translation>
    </message>
    <message id="打开旧色库绣图校正">
        <source></source>
        <translation>Open Pattern from Old Floss Library and Correct</translation>
    </message>
    <message id="导入照片">
        <source></source>
        <translation>Import Photo</translation>
    </message>
    <message id="带描边的卡通图导入">
        <source></source>
        <translation>Import Cartoon with Outlines</translation>
    </message>
    <message id="设置打印细节">
        <source></source>
        <translation>Print Details...</translation>
    </message>
    <message id="打印预览">
        <source></source>
        <translation>Print Preview</translation>
    </message>
    <message id="打印纸设置">
        <source></source>
        <translation>Page Setup...</translation>
    </message>
    <message id="返回">
        <source></source>
        <translation>Back</translation>
    </message>
    <message id="导出矢量绣图">
        <source></source>
        <translation>Export Vector Chart</translation>
    </message>
    <message id="存为绣图仿真文件">
        <source></source>
        <translation>Save Realistic Picture</translation>
    </message>
    <message id="导出PDF绣图">
        <source></source>
        <translation>Export PDF Chart</translation>
    </message>
    <message id="导出SVG绣图">
        <source></source>
        <translation>Export SVG Chart</translation>
    </message>
    <message id="印刷输出">
        <source></source>
        <translation>Export for Print Shop (TIFF)</translation>
    </message>
    <message id="导入OXS绣图">
        <source></source>
        <translation>Import OXS Chart</translation>
    </message>
    <message id="导出OXS绣图">
        <source></source>
        <translation>Export OXS Chart</translation>
    </message>
    <message id="导入其他软件的绣图">
        <source></source>
        <translation>Import Chart from Other Software</translation>
    </message>
    <message id="意见反馈">
        <source></source>
        <translation>Send Feedback</translation>
    </message>
    <message id="退出(&amp;X)">
        <source></source>
        <translation>E&amp;xit</translation>
    </message>
    <message id="插入绣图">
        <source></source>
        <translation>Insert Pattern</translation>
    </message>
    <message id="设置绣布颜色">
        <source></source>
        <translation>Fabric Colour...</translation>
    </message>
    <message id="当前绣图统计">
        <source></source>
        <translation>Pattern Statistics</translation>
    </message>
    <message id="剪切选区">
        <source></source>
        <translation>Cut Selection</translation>
    </message>
    <message id="全选">
        <source></source>
        <translation>Select All</translation>
    </message>
    <message id="放下粘贴或取消选区">
        <source></source>
        <translation>Drop Paste or Deselect</translation>
    </message>
    <message id="查找绣线工具">
        <source></source>
        <translation>Find Thread</translation>
    </message>
    <message id="计算绣布工具">
        <source></source>
        <translation>Fabric Calculator</translation>
    </message>
    <message id="线量计算工具">
        <source></source>
        <translation>Floss Calculator</translation>
    </message>
    <message id="文件(&amp;F)">
        <source></source>
        <translation>&amp;File</translation>
    </message>
    <message id="编辑(&amp;E)">
        <source></source>
        <translation>&amp;Edit</translation>
    </message>
    <message id="使用说明">
        <source></source>
        <translation>User Guide</translation>
    </message>
    <message id="快捷键">
        <source></source>
        <translation>Keyboard Shortcuts</translation>
    </message>
    <message id="关于">
        <source></source>
        <translation>About</translation>
    </message>
    <message id="附加工具">
        <source></source>
        <translation>Tools</translation>
    </message>
    <message id="帮助(&amp;H)">
        <source></source>
        <translation>&amp;Help</translation>
    </message>
    <message id="绣图文件 (.xiu)|*.xiu|">
        <source></source>
        <translation>Patterns (.xiu)|*.xiu|</translation>
    </message>
    <message id="图片文件 (.bmp;.jpg;.jpeg;.gif;.ico)|*.bmp;*.jpg;*.jpeg;*.gif;*.ico|All Files (*.*)|*.*|">
        <source></source>
        <translation>Pictures (.bmp;.jpg;.jpeg;.gif;.ico)|*.bmp;*.jpg;*.jpeg;*.gif;*.ico|All Files (*.*)|*.*|</translation>
    </message>
    <message id="打开绣图">
        <source></source>
        <translation>Open Pattern</translation>
    </message>
    <message id="存储绣图">
        <source></source>
        <translation>Save Pattern</translation>
    </message>
    <message id="导入图片">
        <source></source>
        <translation>Import Picture</translation>
    </message>
    <message id="保存当前绣图吗?">
        <source></source>
        <translation>Save changes to the current pattern?</translation>
    </message>
    <message id="已存在。&#xa;要替换它吗?">
        <source></source>
        <translation> already exists.
Do you want to replace it?</translation>
    </message>
    <message id="未命名">
        <source></source>
        <translation>Untitled</translation>
    </message>
    <message id="绣图未能存储:">
        <source></source>
        <translation>The pattern could not be saved: </translation>
    </message>
    <message id="绣图未能打开:">
        <source></source>
        <translation>The pattern could not be opened: </translation>
    </message>
    <message id="工具栏">
        <source></source>
        <translation>Toolbar</translation>
    </message>
    <message id="取消上一步操作">
        <source></source>
        <translation>Undo the last action</translation>
    </message>
    <message id="重复上一步操作">
        <source></source>
        <translation>Redo the last undone action</translation>
    </message>
    <message id="查看(&amp;V)">
        <source></source>
        <translation>&amp;View</translation>
    </message>
    <message id="工具栏(&amp;T)">
        <source></source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message id="状态栏(&amp;S)">
        <source></source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message id="显示鹰眼窗口">
        <source></source>
        <translation>Show Overview</translation>
    </message>
    <message id="显示工具窗口">
        <source></source>
        <translation>Show Tools</translation>
    </message>
    <message id="显示浮动层窗口">
        <source></source>
        <translation>Show Layers</translation>
    </message>
    <message id="已存储: ">
        <source></source>
        <translation>Saved: </translation>
    </message>
    <message id="绣图未能存储: ">
        <source></source>
        <translation>Pattern not saved: </translation>
    </message>
    <message id="最近打开的文件">
        <source></source>
        <translation>Recent Patterns</translation>
    </message>
    <message id="(无)">
        <source></source>
        <translation>(none)</translation>
    </message>
    <message id="Velmora十字绣">
        <source></source>
        <translation>Velmora Cross Stitch</translation>
    </message>
    <message id="取消上一次操作">
        <source></source>
        <translation>Undo Last Action</translation>
    </message>
    <message id="取消">
        <source></source>
        <translation>Undo</translation>
    </message>
    <message id="跟随系统">
        <source></source>
        <translation>As the system</translation>
    </message>
    <message id="下次启动时生效">
        <source></source>
        <translation>Takes effect at the next start</translation>
    </message>
    <message id="提示">
        <source></source>
        <translation>Note</translation>
    </message>
    <message id="警告">
        <source></source>
        <translation>Warning</translation>
    </message>
    <message id="无取消操作">
        <source></source>
        <translation>Nothing to Undo</translation>
    </message>
    <message id="无Redo操作">
        <source></source>
        <translation>Nothing to Redo</translation>
    </message>
    <message id="内存不足不能过多UNDO">
        <source></source>
        <translation>Not enough memory to keep more undo steps</translation>
    </message>
    <message id="取消删除选定描边">
        <source></source>
        <translation>Undo Delete Backstitch</translation>
    </message>
    <message id="取消更换制定描边颜色">
        <source></source>
        <translation>Undo Change Backstitch Colour</translation>
    </message>
    <message id="取消删除选区描边">
        <source></source>
        <translation>Undo Delete Backstitch in Selection</translation>
    </message>
    <message id="更换描边颜色">
        <source></source>
        <translation>Change Backstitch Colour</translation>
    </message>
    <message id="请选择代替后的描边颜色">
        <source></source>
        <translation>Choose the new backstitch colour</translation>
    </message>
    <message id="所有同色描边一起更换">
        <source></source>
        <translation>Change every backstitch of this colour</translation>
    </message>
    <message id="载入钩边原图">
        <source></source>
        <translation>Load Tracing Picture</translation>
    </message>
    <message id="无法读取这个图片文件,请选择其他图片">
        <source></source>
        <translation>This picture cannot be read. Please choose another one.</translation>
    </message>
    <message id="删除选区描边">
        <source></source>
        <translation>Delete Backstitch in Selection</translation>
    </message>
    <message id="更换指定描边颜色">
        <source></source>
        <translation>Change Backstitch Colour...</translation>
    </message>
    <message id="删除选中的描边">
        <source></source>
        <translation>Delete Selected Backstitch</translation>
    </message>
    <message id="选区操作">
        <source></source>
        <translation>Selection</translation>
    </message>
    <message id="选区旋转">
        <source></source>
        <translation>Rotate Selection</translation>
    </message>
    <message id="复制选区">
        <source></source>
        <translation>Copy Selection</translation>
    </message>
    <message id="粘贴选区">
        <source></source>
        <translation>Paste Selection</translation>
    </message>
    <message id="填充选区">
        <source></source>
        <translation>Fill Selection</translation>
    </message>
    <message id="清除选区">
        <source></source>
        <translation>Clear Selection</translation>
    </message>
    <message id="清除选区色块">
        <source></source>
        <translation>Clear Colour Blocks in Selection</translation>
    </message>
    <message id="选区对称">
        <source></source>
        <translation>Mirror Selection</translation>
    </message>
    <message id="设置旋转中心">
        <source></source>
        <translation>Set Rotation Centre</translation>
    </message>
    <message id="顺时针45度">
        <source></source>
        <translation>45° Clockwise</translation>
    </message>
    <message id="顺时针90度">
        <source></source>
        <translation>90° Clockwise</translation>
    </message>
    <message id="顺时针135度">
        <source></source>
        <translation>135° Clockwise</translation>
    </message>
    <message id="180度">
        <source></source>
        <translation>180°</translation>
    </message>
    <message id="逆时针135">
        <source></source>
        <translation>135° Anticlockwise</translation>
    </message>
    <message id="逆时针90">
        <source></source>
        <translation>90° Anticlockwise</translation>
    </message>
    <message id="逆时针45">
        <source></source>
        <translation>45° Anticlockwise</translation>
    </message>
    <message id="绣图缩放">
        <source></source>
        <translation>Scale Pattern</translation>
    </message>
    <message id="修改绣图尺寸">
        <source></source>
        <translation>Resize Pattern</translation>
    </message>
    <message id="取消移动操作">
        <source></source>
        <translation>Undo Move</translation>
    </message>
    <message id="取消复制操作">
        <source></source>
        <translation>Undo Copy</translation>
    </message>
    <message id="取消绣图移动">
        <source></source>
        <translation>Undo Move Pattern</translation>
    </message>
    <message id="取消绣图复制移动">
        <source></source>
        <translation>Undo Copy and Move Pattern</translation>
    </message>
    <message id="取消清除选区">
        <source></source>
        <translation>Undo Clear Selection</translation>
    </message>
    <message id="取消清除选区色块">
        <source></source>
        <translation>Undo Clear Colour Blocks</translation>
    </message>
    <message id="取消填充区域">
        <source></source>
        <translation>Undo Fill Selection</translation>
    </message>
    <message id="取消水平对称">
        <source></source>
        <translation>Undo Mirror Horizontally</translation>
    </message>
    <message id="取消竖直对称">
        <source></source>
        <translation>Undo Mirror Vertically</translation>
    </message>
    <message id="取消选区旋转">
        <source></source>
        <translation>Undo Rotate Selection</translation>
    </message>
    <message id="取消绣图缩放">
        <source></source>
        <translation>Undo Scale Pattern</translation>
    </message>
    <message id="取消修改绣图尺寸">
        <source></source>
        <translation>Undo Resize Pattern</translation>
    </message>
    <message id="请选择选区">
        <source></source>
        <translation>Please select an area first</translation>
    </message>
    <message id="请选择对称方式">
        <source></source>
        <translation>Choose how to mirror</translation>
    </message>
    <message id="复制的选区比当前绣图大,不能粘贴">
        <source></source>
        <translation>The copied selection is larger than this pattern and cannot be pasted</translation>
    </message>
    <message id="复制的选区来自另一种绣线色系,不能粘贴">
        <source></source>
        <translation>The copied selection uses another floss brand and cannot be pasted</translation>
    </message>
    <message id="放大缩小倍数不合适,绣图尺寸超出范围">
        <source></source>
        <translation>That scale makes the pattern too large or too small</translation>
    </message>
    <message id="绣图尺寸超出范围">
        <source></source>
        <translation>The pattern size is out of range</translation>
    </message>
    <message id="输入放大缩小倍数">
        <source></source>
        <translation>Enter the scale factor</translation>
    </message>
    <message id="绣图宽">
        <source></source>
        <translation>Pattern width</translation>
    </message>
    <message id="绣图高">
        <source></source>
        <translation>Pattern height</translation>
    </message>
    <message id="取消描点操作">
        <source></source>
        <translation>Undo Pencil</translation>
    </message>
    <message id="取消画空心圆操作">
        <source></source>
        <translation>Undo Hollow Ellipse</translation>
    </message>
    <message id="取消画空心矩形操作">
        <source></source>
        <translation>Undo Hollow Rectangle</translation>
    </message>
    <message id="取消画线操作">
        <source></source>
        <translation>Undo Line</translation>
    </message>
    <message id="取消填充操作">
        <source></source>
        <translation>Undo Fill</translation>
    </message>
    <message id="取消画实心圆操作">
        <source></source>
        <translation>Undo Filled Ellipse</translation>
    </message>
    <message id="取消画实心矩形操作">
        <source></source>
        <translation>Undo Filled Rectangle</translation>
    </message>
    <message id="取消输入文字">
        <source></source>
        <translation>Undo Text</translation>
    </message>
    <message id="取消挖空操作">
        <source></source>
        <translation>Undo Hollow Out</translation>
    </message>
    <message id="取消擦除操作">
        <source></source>
        <translation>Undo Eraser</translation>
    </message>
    <message id="取消复制象素">
        <source></source>
        <translation>Undo Clone Stitches</translation>
    </message>
    <message id="取消描边操作">
        <source></source>
        <translation>Undo Backstitch</translation>
    </message>
    <message id="请选择一种颜色进行绘制">
        <source></source>
        <translation>Please choose a thread to draw with</translation>
    </message>
    <message id="可绘层已隐藏,不能在其上绘制;请先显示该层">
        <source></source>
        <translation>The drawing layer is hidden and cannot be drawn on; please show it first</translation>
    </message>
    <message id="第一个可见层必须为链接或可绘层才可以用添充工具">
        <source></source>
        <translation>The fill tool needs the first visible layer to be a linked or drawing layer</translation>
    </message>
    <message id="第一个可见层必须为链接或可绘层才可以用挖空工具">
        <source></source>
        <translation>The hollow-out tool needs the first visible layer to be a linked or drawing layer</translation>
    </message>
    <message id="无法使用仿制图章,因为未选定复制区域，请按住CTRL键点按以定义作为源的点">
        <source></source>
        <translation>The clone tool has no source yet: hold Ctrl and click the point to copy from</translation>
    </message>
    <message id="移动图像工具">
        <source></source>
        <translation>Move Pattern</translation>
    </message>
    <message id="描边工具">
        <source></source>
        <translation>Backstitch</translation>
    </message>
    <message id="选中描的边">
        <source></source>
        <translation>Select Backstitch</translation>
    </message>
    <message id="绘制点工具">
        <source></source>
        <translation>Pencil</translation>
    </message>
    <message id="画空心圆工具">
        <source></source>
        <translation>Hollow Ellipse</translation>
    </message>
    <message id="画空心方工具">
        <source></source>
        <translation>Hollow Rectangle</translation>
    </message>
    <message id="画直线工具">
        <source></source>
        <translation>Line</translation>
    </message>
    <message id="用选中颜色填充指定颜色封闭的区域工具">
        <source></source>
        <translation>Fill an area of one colour with the chosen thread</translation>
    </message>
    <message id="画实心圆工具">
        <source></source>
        <translation>Filled Ellipse</translation>
    </message>
    <message id="画实心方工具">
        <source></source>
        <translation>Filled Rectangle</translation>
    </message>
    <message id="镶入文字工具">
        <source></source>
        <translation>Text</translation>
    </message>
    <message id="选区域工具">
        <source></source>
        <translation>Select Area</translation>
    </message>
    <message id="挖空指定颜色封闭的区域工具">
        <source></source>
        <translation>Hollow out an area of one colour</translation>
    </message>
    <message id="橡皮工具">
        <source></source>
        <translation>Eraser</translation>
    </message>
    <message id="对指定象素的复制">
        <source></source>
        <translation>Clone Stitches</translation>
    </message>
    <message id="清理单针工具">
        <source></source>
        <translation>Clean Up Confetti</translation>
    </message>
    <message id="没有可安装的插件">
        <source></source>
        <translation>No plug-ins installed</translation>
    </message>
    <message id="Velmora插件">
        <source></source>
        <translation>Velmora Plug-ins</translation>
    </message>
</context>
</TS>
