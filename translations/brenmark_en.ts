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
        <translation>Cancel</translation>
    </message>
    <message id="跟随系统">
        <source></source>
        <translation>System default</translation>
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
    <message id="计算">
        <source></source>
        <translation>Calculate</translation>
    </message>
    <message id="选绣布型号">
        <source></source>
        <translation>Fabric count</translation>
    </message>
    <message id="选择绣的股数">
        <source></source>
        <translation>Strands</translation>
    </message>
    <message id="请输入格数">
        <source></source>
        <translation>Enter the number of stitches</translation>
    </message>
    <message id="选择绣布类型">
        <source></source>
        <translation>Choose the fabric</translation>
    </message>
    <message id="输入图绣图宽(格)">
        <source></source>
        <translation>Pattern width (stitches)</translation>
    </message>
    <message id="输入绣图高(格)">
        <source></source>
        <translation>Pattern height (stitches)</translation>
    </message>
    <message id="取色器">
        <source></source>
        <translation>Colour picker</translation>
    </message>
    <message id="匹配">
        <source></source>
        <translation>Match</translation>
    </message>
    <message id="选择绣线">
        <source></source>
        <translation>Choose thread</translation>
    </message>
    <message id="取得颜色">
        <source></source>
        <translation>Pick Colour</translation>
    </message>
    <message id="绣线颜色">
        <source></source>
        <translation>Thread colour</translation>
    </message>
    <message id="绣线号">
        <source></source>
        <translation>Thread number</translation>
    </message>
    <message id="颜色替换">
        <source></source>
        <translation>Replace Colour</translation>
    </message>
    <message id="挖空指定颜色">
        <source></source>
        <translation>Remove Colour</translation>
    </message>
    <message id="删除未使用绣线">
        <source></source>
        <translation>Delete Unused Threads</translation>
    </message>
    <message id="增加绣线">
        <source></source>
        <translation>Add Thread</translation>
    </message>
    <message id="减去被选颜色">
        <source></source>
        <translation>Remove Selected Colour</translation>
    </message>
    <message id="转换绣线系列">
        <source></source>
        <translation>Convert to Floss Brand</translation>
    </message>
    <message id="锁定">
        <source></source>
        <translation>Lock</translation>
    </message>
    <message id="增加绣线: 从色库中选一种绣线加到绣图的颜色里">
        <source></source>
        <translation>Add Thread: choose a thread from the floss library and add it to the pattern</translation>
    </message>
    <message id="从色库中选一种绣线加到绣图的颜色里">
        <source></source>
        <translation>Choose a thread from the floss library and add it to the pattern</translation>
    </message>
    <message id="绣图的宽和高必须是1到3000之间的整数">
        <source></source>
        <translation>The width and height must be whole numbers from 1 to 3000</translation>
    </message>
    <message id="图片转换尚未提供">
        <source></source>
        <translation>Picture conversion is not available yet</translation>
    </message>
    <message id="磁盘空间不足">
        <source></source>
        <translation>the disk is full</translation>
    </message>
    <message id="磁盘是只读的">
        <source></source>
        <translation>the disk is read-only</translation>
    </message>
    <message id="没有写入的权限">
        <source></source>
        <translation>no permission to write</translation>
    </message>
    <message id="文件夹不存在">
        <source></source>
        <translation>the folder does not exist</translation>
    </message>
    <message id="文件名太长">
        <source></source>
        <translation>the file name is too long</translation>
    </message>
    <message id="磁盘读写错误">
        <source></source>
        <translation>a disk read or write error</translation>
    </message>
    <message id="这不是一个普通文件">
        <source></source>
        <translation>this is not an ordinary file</translation>
    </message>
    <message id="文件是只读的,没有写入它的权限">
        <source></source>
        <translation>the file is read-only and cannot be written</translation>
    </message>
    <message id="内存不足">
        <source></source>
        <translation>not enough memory</translation>
    </message>
    <message id="建立一个新的空白绣图">
        <source></source>
        <translation>Create a new blank pattern</translation>
    </message>
    <message id="打开一个绣图文件">
        <source></source>
        <translation>Open a pattern file</translation>
    </message>
    <message id="存储当前的绣图">
        <source></source>
        <translation>Save the current pattern</translation>
    </message>
    <message id="把一张图片转换成绣图">
        <source></source>
        <translation>Turn a picture into a pattern</translation>
    </message>
    <message id="放大绣图,视图中心的格子保持不动(在绣图上也可按 +)">
        <source></source>
        <translation>Zoom in, keeping the stitch at the centre in place (or press + on the chart)</translation>
    </message>
    <message id="缩小绣图,视图中心的格子保持不动(在绣图上也可按 -)">
        <source></source>
        <translation>Zoom out, keeping the stitch at the centre in place (or press - on the chart)</translation>
    </message>
    <message id="缩放到整幅绣图正好放进窗口">
        <source></source>
        <translation>Zoom so the whole pattern fits the window</translation>
    </message>
    <message id="查看和修改各品牌绣线的颜色">
        <source></source>
        <translation>View and edit the thread colours of each floss brand</translation>
    </message>
    <message id="以色块显示绣图">
        <source></source>
        <translation>Show the chart as colour blocks</translation>
    </message>
    <message id="在颜色上显示绣线符号">
        <source></source>
        <translation>Show the symbols on their colours</translation>
    </message>
    <message id="只显示绣线符号">
        <source></source>
        <translation>Show symbols only</translation>
    </message>
    <message id="显示绣好后的仿真效果">
        <source></source>
        <translation>Show how the finished stitching will look</translation>
    </message>
    <message id="把绣图导出为图片文件">
        <source></source>
        <translation>Export the chart as picture files</translation>
    </message>
    <message id="设置打印的内容和格式">
        <source></source>
        <translation>Choose what is printed and how</translation>
    </message>
    <message id="打印绣图">
        <source></source>
        <translation>Print the chart</translation>
    </message>
    <message id="关闭当前绣图">
        <source></source>
        <translation>Close the current pattern</translation>
    </message>
    <message id="退出程序">
        <source></source>
        <translation>Quit the program</translation>
    </message>
    <message id="复制选区里的格子、描边和针法">
        <source></source>
        <translation>Copy the stitches, backstitches and marks in the selection</translation>
    </message>
    <message id="复制选区的内容,然后清除选区">
        <source></source>
        <translation>Copy the selection, then clear it</translation>
    </message>
    <message id="粘贴复制的内容,拖到位置后放下">
        <source></source>
        <translation>Paste what was copied; drag it into place and drop it</translation>
    </message>
    <message id="选中整幅绣图(一个矩形选区)">
        <source></source>
        <translation>Select the whole pattern (one rectangle)</translation>
    </message>
    <message id="清除选区里的格子和描边(在绣图上按 Del)">
        <source></source>
        <translation>Clear the stitches and backstitches in the selection (Del on the chart)</translation>
    </message>
    <message id="放下正在移动的粘贴内容,或取消选区">
        <source></source>
        <translation>Drop the paste being moved, or deselect</translation>
    </message>
    <message id="打开使用说明">
        <source></source>
        <translation>Open the user guide</translation>
    </message>
    <message id="列出所有快捷键">
        <source></source>
        <translation>List every keyboard shortcut</translation>
    </message>
    <message id="关于本程序">
        <source></source>
        <translation>About this program</translation>
    </message>
    <message id="移动视图(几个格子)">
        <source></source>
        <translation>Move the view (a few stitches)</translation>
    </message>
    <message id="上下移动一屏(加 Ctrl 左右移动一屏)">
        <source></source>
        <translation>Move a screen up or down (with Ctrl: left or right)</translation>
    </message>
    <message id="到行首 / 行尾(加 Ctrl 到绣图的开头 / 结尾)">
        <source></source>
        <translation>To the start / end of the row (with Ctrl: of the pattern)</translation>
    </message>
    <message id="放大 / 缩小">
        <source></source>
        <translation>Zoom in / out</translation>
    </message>
    <message id="清除选区(选区域工具),删除选中的描边(选中描的边工具)">
        <source></source>
        <translation>Clear the selection (Select Area tool), delete the selected backstitch (Select Backstitch tool)</translation>
    </message>
    <message id="Ctrl+滚轮">
        <source></source>
        <translation>Ctrl+Wheel</translation>
    </message>
    <message id="以鼠标处为中心放大 / 缩小">
        <source></source>
        <translation>Zoom in / out around the mouse</translation>
    </message>
    <message id="滚轮 / Shift+滚轮">
        <source></source>
        <translation>Wheel / Shift+Wheel</translation>
    </message>
    <message id="上下 / 左右移动视图">
        <source></source>
        <translation>Scroll up and down / left and right</translation>
    </message>
    <message id="Shift+拖动">
        <source></source>
        <translation>Shift+Drag</translation>
    </message>
    <message id="用选区域工具拉出矩形选区">
        <source></source>
        <translation>Drag a rectangular selection with the Select Area tool</translation>
    </message>
    <message id="Velmora十字绣&#xa;&#xa;设计十字绣图样:从照片或空白开始,逐格编辑,加描边,统计线量,打印或导出绣图。">
        <source></source>
        <translation>Velmora Cross Stitch

Design counted cross-stitch patterns: start from a photo or a blank chart, edit stitch by stitch, add backstitch, count the floss, and print or export the chart.</translation>
    </message>
    <message id="存储仿真绣图JPG">
        <source></source>
        <translation>Save Realistic Picture</translation>
    </message>
    <message id="仿真绣图JPG (.jpg)|*.jpg|仿真绣图PNG (.png)|*.png|">
        <source></source>
        <translation>Realistic picture JPG (.jpg)|*.jpg|Realistic picture PNG (.png)|*.png|</translation>
    </message>
    <message id="必须先保存文件才能导出tiff文件">
        <source></source>
        <translation>Save the pattern before exporting TIFF pages</translation>
    </message>
    <message id="无法启动印刷输出程序:%s">
        <source></source>
        <translation>The page writer could not be started: %s</translation>
    </message>
    <message id="导出绣图颜色">
        <source></source>
        <translation>Chart colours</translation>
    </message>
    <message id="黑白绣图">
        <source></source>
        <translation>Black and white</translation>
    </message>
    <message id="彩色绣图">
        <source></source>
        <translation>Colour</translation>
    </message>
    <message id="导出绣图方式">
        <source></source>
        <translation>Export as</translation>
    </message>
    <message id="整幅导出">
        <source></source>
        <translation>One whole chart</translation>
    </message>
    <message id="按打印导出">
        <source></source>
        <translation>Printed pages</translation>
    </message>
    <message id="确定">
        <source></source>
        <translation>OK</translation>
    </message>
    <message id="导出提示">
        <source></source>
        <translation>Export Options</translation>
    </message>
    <message id="彩色符">
        <source></source>
        <translation>Coloured symbols</translation>
    </message>
    <message id="彩色字符">
        <source></source>
        <translation>Coloured symbols</translation>
    </message>
    <message id="请选绣布颜色">
        <source></source>
        <translation>Choose the fabric colour</translation>
    </message>
    <message id="选绣布">
        <source></source>
        <translation>Fabric</translation>
    </message>
    <message id="新建层">
        <source></source>
        <translation>New Layer</translation>
    </message>
    <message id="复制当前绘制层">
        <source></source>
        <translation>Duplicate Drawing Layer</translation>
    </message>
    <message id="删除层">
        <source></source>
        <translation>Delete Layer</translation>
    </message>
    <message id="合并可见层">
        <source></source>
        <translation>Merge Visible Layers</translation>
    </message>
    <message id="合并链接层">
        <source></source>
        <translation>Merge Linked Layers</translation>
    </message>
    <message id="按下可以选定该层为绘制层,按下不放拖动鼠标到别的层，可以调节层的顺序">
        <source></source>
        <translation>Click to make this the drawing layer; hold and drag onto another layer to change the order</translation>
    </message>
    <message id="新建绣图">
        <source></source>
        <translation>New Pattern</translation>
    </message>
    <message id="绣线品牌:">
        <source></source>
        <translation>Floss brand:</translation>
    </message>
    <message id="宽(格):">
        <source></source>
        <translation>Width (stitches):</translation>
    </message>
    <message id="高(格):">
        <source></source>
        <translation>Height (stitches):</translation>
    </message>
    <message id="选择绣线种类">
        <source></source>
        <translation>Choose the floss brand</translation>
    </message>
    <message id="宽">
        <source></source>
        <translation>Width</translation>
    </message>
    <message id="高">
        <source></source>
        <translation>Height</translation>
    </message>
    <message id="插件数据">
        <source></source>
        <translation>Plug-in data</translation>
    </message>
    <message id="取消插件作用于Velmora">
        <source></source>
        <translation>Undo Plug-in</translation>
    </message>
    <message id="插件送回的绣图数据不完整,绣图没有改变">
        <source></source>
        <translation>The plug-in returned incomplete pattern data; the pattern is unchanged</translation>
    </message>
    <message id="自动保存恢复副本">
        <source></source>
        <translation>Keep a recovery copy automatically</translation>
    </message>
    <message id=" 秒">
        <source></source>
        <translation> s</translation>
    </message>
    <message id="保存间隔:">
        <source></source>
        <translation>Save every:</translation>
    </message>
    <message id="可撤销的步数:">
        <source></source>
        <translation>Undo steps kept:</translation>
    </message>
    <message id="撤销步骤最多占用内存:">
        <source></source>
        <translation>Memory for undo steps at most:</translation>
    </message>
    <message id="语言 / Language:">
        <source></source>
        <translation>Language / 语言:</translation>
    </message>
    <message id="黑白">
        <source></source>
        <translation>Black and white</translation>
    </message>
    <message id="彩色">
        <source></source>
        <translation>Colour</translation>
    </message>
    <message id="全打印">
        <source></source>
        <translation>All pages</translation>
    </message>
    <message id="指定页打印">
        <source></source>
        <translation>Pages</translation>
    </message>
    <message id="打印选择">
        <source></source>
        <translation>Print</translation>
    </message>
    <message id="打印颜色">
        <source></source>
        <translation>Colours</translation>
    </message>
    <message id="打印范围">
        <source></source>
        <translation>Print range</translation>
    </message>
    <message id="打印份数">
        <source></source>
        <translation>Copies</translation>
    </message>
    <message id="没有默认的打印机,请添加默认的打印机再进行打印。">
        <source></source>
        <translation>There is no default printer. Please add one, then print again.</translation>
    </message>
    <message id="提示...">
        <source></source>
        <translation>Note</translation>
    </message>
    <message id="创建绣图打印预览窗口失败">
        <source></source>
        <translation>The print preview could not be opened</translation>
    </message>
    <message id="是否打印到PDF文件?">
        <source></source>
        <translation>Print to a PDF file instead?</translation>
    </message>
    <message id="打印到PDF文件">
        <source></source>
        <translation>Print to PDF File</translation>
    </message>
    <message id="PDF文件 (*.pdf)|*.pdf|">
        <source></source>
        <translation>PDF files (*.pdf)|*.pdf|</translation>
    </message>
    <message id="页:">
        <source></source>
        <translation>Page:</translation>
    </message>
    <message id="打印细节设置">
        <source></source>
        <translation>Print Details</translation>
    </message>
    <message id="按格数">
        <source></source>
        <translation>By stitches</translation>
    </message>
    <message id="按线量">
        <source></source>
        <translation>By length</translation>
    </message>
    <message id="绣图格式">
        <source></source>
        <translation>Chart</translation>
    </message>
    <message id="打印格大小">
        <source></source>
        <translation>Square size</translation>
    </message>
    <message id="(毫米)">
        <source></source>
        <translation>(mm)</translation>
    </message>
    <message id="10格线粗细">
        <source></source>
        <translation>10-square grid line width</translation>
    </message>
    <message id="(象素)">
        <source></source>
        <translation>(pixels)</translation>
    </message>
    <message id="调节格线颜色">
        <source></source>
        <translation>Grid line colour</translation>
    </message>
    <message id="输出线量格式">
        <source></source>
        <translation>Floss amounts</translation>
    </message>
    <message id="选择绣布">
        <source></source>
        <translation>Fabric</translation>
    </message>
    <message id="绣的股数">
        <source></source>
        <translation>Strands</translation>
    </message>
    <message id="描边股数">
        <source></source>
        <translation>Backstitch strands</translation>
    </message>
    <message id="绣图信息">
        <source></source>
        <translation>Pattern information</translation>
    </message>
    <message id="绣图作者">
        <source></source>
        <translation>Designer</translation>
    </message>
    <message id="绣图标题">
        <source></source>
        <translation>Title</translation>
    </message>
    <message id="强度(1-10)">
        <source></source>
        <translation>Strength (1-10)</translation>
    </message>
    <message id="被代替颜色">
        <source></source>
        <translation>Colour to replace</translation>
    </message>
    <message id="要改的绣线">
        <source></source>
        <translation>Thread to change</translation>
    </message>
    <message id="代替后颜色">
        <source></source>
        <translation>Replace with</translation>
    </message>
    <message id="更改后绣线">
        <source></source>
        <translation>New thread</translation>
    </message>
    <message id="代替">
        <source></source>
        <translation>Replace</translation>
    </message>
    <message id="要增加的绣线">
        <source></source>
        <translation>Thread to add</translation>
    </message>
    <message id="添加关闭">
        <source></source>
        <translation>Add and Close</translation>
    </message>
    <message id="取消关闭">
        <source></source>
        <translation>Cancel</translation>
    </message>
    <message id="上次编辑器没有正常结束,留下了未保存的绣图:&#xa;&#xa;">
        <source></source>
        <translation>The editor did not close normally last time and left an unsaved pattern:

</translation>
    </message>
    <message id="&#xa;保存于 ">
        <source></source>
        <translation>
saved at </translation>
    </message>
    <message id="&#xa;&#xa;要打开它吗?">
        <source></source>
        <translation>

Do you want to open it?</translation>
    </message>
    <message id="恢复未保存的绣图">
        <source></source>
        <translation>Recover Unsaved Pattern</translation>
    </message>
    <message id="放弃">
        <source></source>
        <translation>Discard</translation>
    </message>
    <message id="以后再说">
        <source></source>
        <translation>Later</translation>
    </message>
    <message id="输入层的名字">
        <source></source>
        <translation>Layer name</translation>
    </message>
    <message id="绣线管理窗口">
        <source></source>
        <translation>Thread Manager</translation>
    </message>
    <message id="品牌:">
        <source></source>
        <translation>Brand:</translation>
    </message>
    <message id="红:">
        <source></source>
        <translation>Red:</translation>
    </message>
    <message id="绿:">
        <source></source>
        <translation>Green:</translation>
    </message>
    <message id="蓝:">
        <source></source>
        <translation>Blue:</translation>
    </message>
    <message id="线号:">
        <source></source>
        <translation>Number:</translation>
    </message>
    <message id="颜色:">
        <source></source>
        <translation>Colour:</translation>
    </message>
    <message id="应用">
        <source></source>
        <translation>Apply</translation>
    </message>
    <message id="恢复绣线">
        <source></source>
        <translation>Restore Thread</translation>
    </message>
    <message id="工具窗">
        <source></source>
        <translation>Tools</translation>
    </message>
    <message id="针法">
        <source></source>
        <translation>Stitches</translation>
    </message>
    <message id="色板条">
        <source></source>
        <translation>Colours</translation>
    </message>
    <message id="鹰眼窗口">
        <source></source>
        <translation>Overview</translation>
    </message>
    <message id="浮动操作窗口">
        <source></source>
        <translation>Layers</translation>
    </message>
    <message id="白色(B5200)">
        <source></source>
        <translation>White (B5200)</translation>
    </message>
    <message id="本白色(712)">
        <source></source>
        <translation>Cream (712)</translation>
    </message>
    <message id="米色(ECRU)">
        <source></source>
        <translation>Ecru</translation>
    </message>
    <message id="红色(321)">
        <source></source>
        <translation>Red (321)</translation>
    </message>
    <message id="黑色(310)">
        <source></source>
        <translation>Black (310)</translation>
    </message>
    <message id="粉红色(818)">
        <source></source>
        <translation>Pink (818)</translation>
    </message>
    <message id="淡兰色(800)">
        <source></source>
        <translation>Pale blue (800)</translation>
    </message>
    <message id="深兰色(796)">
        <source></source>
        <translation>Royal blue (796)</translation>
    </message>
    <message id="淡紫色(3747)">
        <source></source>
        <translation>Lavender (3747)</translation>
    </message>
    <message id="浅黄(746)">
        <source></source>
        <translation>Pale yellow (746)</translation>
    </message>
    <message id="深蓝色(336)">
        <source></source>
        <translation>Navy (336)</translation>
    </message>
    <message id="浅绿(964)">
        <source></source>
        <translation>Mint green (964)</translation>
    </message>
    <message id="深绿(500)">
        <source></source>
        <translation>Dark green (500)</translation>
    </message>
    <message id="米色(Ecru)">
        <source></source>
        <translation>Ecru</translation>
    </message>
    <message id="仿真图导出完毕">
        <source></source>
        <translation>The realistic picture has been exported</translation>
    </message>
    <message id="不能导出过大的绣图">
        <source></source>
        <translation>This pattern is too large to export</translation>
    </message>
    <message id="无法写入文件:%s">
        <source></source>
        <translation>The file could not be written: %s</translation>
    </message>
    <message id="无法创建导出文件夹:%s">
        <source></source>
        <translation>The export folder could not be made: %s</translation>
    </message>
    <message id="导出已取消">
        <source></source>
        <translation>Export cancelled</translation>
    </message>
    <message id="导出文件需要%s磁盘空间,目标磁盘只有%s可用,不能导出">
        <source></source>
        <translation>The export needs %s of disk space, but only %s is free on the target disk; nothing was exported</translation>
    </message>
    <message id="导出文件共%d页,需要%s磁盘空间,目标磁盘只有%s可用,不能导出">
        <source></source>
        <translation>The export has %d pages and needs %s of disk space, but only %s is free on the target disk; nothing was exported</translation>
    </message>
    <message id="图片分辨率(每英寸点数)">
        <source></source>
        <translation>Picture resolution (dots per inch)</translation>
    </message>
    <message id="Velmora十字绣仿真图">
        <source></source>
        <translation>Velmora Cross Stitch realistic picture</translation>
    </message>
    <message id="该颜色被锁定无法删除">
        <source></source>
        <translation>This colour is locked and cannot be deleted</translation>
    </message>
    <message id="该颜色被锁定不能减去">
        <source></source>
        <translation>This colour is locked and cannot be removed</translation>
    </message>
    <message id="减掉的颜色数不能大于等于图片颜色数">
        <source></source>
        <translation>You cannot remove as many colours as the pattern has, or more</translation>
    </message>
    <message id="该颜色被锁定无法替换">
        <source></source>
        <translation>This colour is locked and cannot be replaced</translation>
    </message>
    <message id="请选择被代替绣线和代替后的绣线">
        <source></source>
        <translation>Choose the thread to replace and the thread to replace it with</translation>
    </message>
    <message id="成批减色">
        <source></source>
        <translation>Reduce Colours</translation>
    </message>
    <message id="要减的颜色数">
        <source></source>
        <translation>Colours to remove</translation>
    </message>
    <message id="颜色替换窗口">
        <source></source>
        <translation>Replace Colour</translation>
    </message>
    <message id="区域替换颜色">
        <source></source>
        <translation>Replace Colour in Area</translation>
    </message>
    <message id="选择增加绣线窗口">
        <source></source>
        <translation>Add Thread</translation>
    </message>
    <message id="颜色符号代替">
        <source></source>
        <translation>Change Symbol</translation>
    </message>
    <message id="更换选中颜色的符号">
        <source></source>
        <translation>Change Symbol of Selected Colour</translation>
    </message>
    <message id="取消所有颜色锁定">
        <source></source>
        <translation>Unlock All Colours</translation>
    </message>
    <message id="清理单针">
        <source></source>
        <translation>Clean Up Confetti</translation>
    </message>
    <message id="取消清理单针">
        <source></source>
        <translation>Undo Clean Up Confetti</translation>
    </message>
    <message id="当前绣图线量统计">
        <source></source>
        <translation>Floss Usage of This Pattern</translation>
    </message>
    <message id="十字绣布计算工具">
        <source></source>
        <translation>Fabric Calculator</translation>
    </message>
    <message id="得到绣线工具">
        <source></source>
        <translation>Find Thread</translation>
    </message>
    <message id="按具体米数">
        <source></source>
        <translation>In metres</translation>
    </message>
    <message id="按使用量排序">
        <source></source>
        <translation>Sort by use</translation>
    </message>
    <message id="请输入正确的宽高数据">
        <source></source>
        <translation>Please enter a valid width and height</translation>
    </message>
    <message id="请选择绣布类型">
        <source></source>
        <translation>Please choose the fabric</translation>
    </message>
    <message id="转换">
        <source></source>
        <translation>Convert</translation>
    </message>
    <message id="不限">
        <source></source>
        <translation>Any</translation>
    </message>
    <message id="关">
        <source></source>
        <translation>Off</translation>
    </message>
    <message id="边框颜色">
        <source></source>
        <translation>Border colour</translation>
    </message>
    <message id="文件系统只读">
        <source></source>
        <translation>the file system is read-only</translation>
    </message>
    <message id="没有写入权限">
        <source></source>
        <translation>no permission to write</translation>
    </message>
    <message id="读写设备出错">
        <source></source>
        <translation>a device read or write error</translation>
    </message>
    <message id="白色">
        <source></source>
        <translation>White</translation>
    </message>
    <message id="本白色">
        <source></source>
        <translation>Cream</translation>
    </message>
    <message id="米色">
        <source></source>
        <translation>Ecru</translation>
    </message>
    <message id="红色">
        <source></source>
        <translation>Red</translation>
    </message>
    <message id="黑色">
        <source></source>
        <translation>Black</translation>
    </message>
    <message id="粉红色">
        <source></source>
        <translation>Pink</translation>
    </message>
    <message id="淡兰色">
        <source></source>
        <translation>Pale blue</translation>
    </message>
    <message id="深兰色">
        <source></source>
        <translation>Royal blue</translation>
    </message>
    <message id="淡紫色">
        <source></source>
        <translation>Lavender</translation>
    </message>
    <message id="浅黄">
        <source></source>
        <translation>Pale yellow</translation>
    </message>
    <message id="深蓝色">
        <source></source>
        <translation>Navy</translation>
    </message>
    <message id="浅绿">
        <source></source>
        <translation>Mint green</translation>
    </message>
    <message id="深绿">
        <source></source>
        <translation>Dark green</translation>
    </message>
    <message id="绣线色系不同不能插入">
        <source></source>
        <translation>The pattern uses another floss brand and cannot be inserted</translation>
    </message>
    <message id="创件层失败,层数超出范围">
        <source></source>
        <translation>The layer could not be made: there are too many layers</translation>
    </message>
    <message id="绣线数:">
        <source></source>
        <translation> threads: </translation>
    </message>
    <message id="被选文件不存在">
        <source></source>
        <translation>The chosen file does not exist</translation>
    </message>
    <message id="被选路径是一个文件夹,不是绣图文件">
        <source></source>
        <translation>The chosen path is a folder, not a pattern file</translation>
    </message>
    <message id="被选路径是一个管道,不是绣图文件">
        <source></source>
        <translation>The chosen path is a pipe, not a pattern file</translation>
    </message>
    <message id="被选路径是一个设备,不是绣图文件">
        <source></source>
        <translation>The chosen path is a device, not a pattern file</translation>
    </message>
    <message id="被选路径是一个套接字,不是绣图文件">
        <source></source>
        <translation>The chosen path is a socket, not a pattern file</translation>
    </message>
    <message id="被选路径不是普通文件,不是绣图文件">
        <source></source>
        <translation>The chosen path is not an ordinary file, not a pattern file</translation>
    </message>
    <message id="不能打开高版本制作的绣图">
        <source></source>
        <translation>This pattern was made by a newer version and cannot be opened</translation>
    </message>
    <message id="不能打开旧色库制作的绣图,请用Velmora工具转换后再打开">
        <source></source>
        <translation>This pattern uses an old floss library; convert it with the Velmora tool, then open it</translation>
    </message>
    <message id="绣图文件已损坏或不完整,不能打开">
        <source></source>
        <translation>The pattern file is damaged or incomplete and cannot be opened</translation>
    </message>
    <message id="取消新建层">
        <source></source>
        <translation>Undo New Layer</translation>
    </message>
    <message id="取消删除层">
        <source></source>
        <translation>Undo Delete Layer</translation>
    </message>
    <message id="取消复制层">
        <source></source>
        <translation>Undo Duplicate Layer</translation>
    </message>
    <message id="取消合并可见层">
        <source></source>
        <translation>Undo Merge Visible Layers</translation>
    </message>
    <message id="取消合并链接层">
        <source></source>
        <translation>Undo Merge Linked Layers</translation>
    </message>
    <message id="取消调整层顺序">
        <source></source>
        <translation>Undo Reorder Layers</translation>
    </message>
    <message id="取消选定绘制层">
        <source></source>
        <translation>Undo Choose Drawing Layer</translation>
    </message>
    <message id="取消插入绣图">
        <source></source>
        <translation>Undo Insert Pattern</translation>
    </message>
    <message id="取消粘贴">
        <source></source>
        <translation>Undo Paste</translation>
    </message>
    <message id="取消替换颜色">
        <source></source>
        <translation>Undo Replace Colour</translation>
    </message>
    <message id="取消区域替换颜色">
        <source></source>
        <translation>Undo Replace Colour in Area</translation>
    </message>
    <message id="取消减去被选颜色">
        <source></source>
        <translation>Undo Remove Colour</translation>
    </message>
    <message id="取消成批减色">
        <source></source>
        <translation>Undo Reduce Colours</translation>
    </message>
    <message id="取消增加颜色">
        <source></source>
        <translation>Undo Add Colour</translation>
    </message>
    <message id="取消上次增加的颜色">
        <source></source>
        <translation>Undo Last Added Colour</translation>
    </message>
    <message id="取消删除未使用绣线">
        <source></source>
        <translation>Undo Delete Unused Threads</translation>
    </message>
    <message id="恢复挖空指定颜色">
        <source></source>
        <translation>Restore Removed Colour</translation>
    </message>
    <message id="恢复所有颜色锁定">
        <source></source>
        <translation>Restore Colour Locks</translation>
    </message>
    <message id="绣图导出完毕">
        <source></source>
        <translation>The chart has been exported</translation>
    </message>
    <message id="存储绣图JPG">
        <source></source>
        <translation>Save Chart as JPG</translation>
    </message>
    <message id="绣图JPG (.jpg)|*.jpg|绣图PNG (.png)|*.png|">
        <source></source>
        <translation>Chart JPG (.jpg)|*.jpg|Chart PNG (.png)|*.png|</translation>
    </message>
    <message id="导出矢量绣图EMF">
        <source></source>
        <translation>Export Vector Chart (EMF)</translation>
    </message>
    <message id="矢量绣图EMF (.EMF)|*.EMF|">
        <source></source>
        <translation>Vector chart EMF (.EMF)|*.EMF|</translation>
    </message>
    <message id="矢量绣图导出完毕">
        <source></source>
        <translation>The vector chart has been exported</translation>
    </message>
    <message id="存储绣图SVG">
        <source></source>
        <translation>Save Chart as SVG</translation>
    </message>
    <message id="绣图SVG (.svg)|*.svg|">
        <source></source>
        <translation>Chart SVG (.svg)|*.svg|</translation>
    </message>
    <message id="SVG绣图导出完毕">
        <source></source>
        <translation>The SVG chart has been exported</translation>
    </message>
    <message id="存储绣图PDF">
        <source></source>
        <translation>Save Chart as PDF</translation>
    </message>
    <message id="绣图PDF (.pdf)|*.pdf|">
        <source></source>
        <translation>Chart PDF (.pdf)|*.pdf|</translation>
    </message>
    <message id="PDF绣图导出完毕">
        <source></source>
        <translation>The PDF chart has been exported</translation>
    </message>
    <message id="色差算法">
        <source></source>
        <translation>Colour difference</translation>
    </message>
    <message id="抖动">
        <source></source>
        <translation>Dithering</translation>
    </message>
    <message id="最多绣线数">
        <source></source>
        <translation>Most threads</translation>
    </message>
    <message id="减少单针">
        <source></source>
        <translation>Reduce confetti</translation>
    </message>
    <message id="每线最少针数">
        <source></source>
        <translation>Fewest stitches per thread</translation>
    </message>
    <message id="忽略背景色">
        <source></source>
        <translation>Ignore background</translation>
    </message>
    <message id="无">
        <source></source>
        <translation>None</translation>
    </message>
    <message id="有序(Bayer)">
        <source></source>
        <translation>Ordered (Bayer)</translation>
    </message>
    <message id="转">
        <source></source>
        <translation>Convert to </translation>
    </message>
    <message id="线系列">
        <source></source>
        <translation> floss</translation>
    </message>
    <message id="要更换符号">
        <source></source>
        <translation>Symbol to change: </translation>
    </message>
    <message id="单针">
        <source></source>
        <translation>Confetti</translation>
    </message>
    <message id="%d种混色线按其中与混色较接近的一种绣线导入">
        <source></source>
        <translation>%d blended threads imported as the thread closest to the blend</translation>
    </message>
    <message id="%d个与全针重叠的部分针迹未导入">
        <source></source>
        <translation>%d part stitches under full stitches not imported</translation>
    </message>
    <message id="%d个同一格里的第二个部分针迹未导入">
        <source></source>
        <translation>%d second part stitches in one square not imported</translation>
    </message>
    <message id="%d个位于格角的法式结或珠子放进了右下方的格子">
        <source></source>
        <translation>%d French knots or beads on square corners moved into the square below right</translation>
    </message>
    <message id="绣图的宽高不正确(只能是1到%d)">
        <source></source>
        <translation>The chart size is wrong (only 1 to %d)</translation>
    </message>
    <message id="不能识别的绣图文件,不能导入">
        <source></source>
        <translation>This chart file is not recognised and cannot be imported</translation>
    </message>
    <message id="打不开文件 ">
        <source></source>
        <translation>Cannot open the file </translation>
    </message>
    <message id="绣图文件太大,不能导入">
        <source></source>
        <translation>The chart file is too large to import</translation>
    </message>
    <message id="%s绣图导入完毕:%d种绣线按线号匹配%s色库,%d种按最接近的颜色匹配">
        <source></source>
        <translation>%s chart imported: %d threads matched to the %s library by number, %d by the closest colour</translation>
    </message>
    <message id="&#xa;格式说明未写明、按推测读取的内容:">
        <source></source>
        <translation>
Read by assumption where the format description is silent:</translation>
    </message>
    <message id="其他软件的绣图 (.xsd;.pat;.kxs;.oxs)|*.xsd;*.pat;*.kxs;*.oxs|所有文件 (*.*)|*.*|">
        <source></source>
        <translation>Charts of other software (.xsd;.pat;.kxs;.oxs)|*.xsd;*.pat;*.kxs;*.oxs|All files (*.*)|*.*|</translation>
    </message>
    <message id="这个版本的KXStitch绣图不能导入(只能导入KXStitch 1.0以后的文件)">
        <source></source>
        <translation>KXStitch charts of this version cannot be imported (only KXStitch 1.0 and later)</translation>
    </message>
    <message id="%d个小半针按四分之一针导入">
        <source></source>
        <translation>%d petite half stitches imported as quarter stitches</translation>
    </message>
    <message id="%d个不认识的针迹未导入">
        <source></source>
        <translation>%d unknown stitches not imported</translation>
    </message>
    <message id="%d个针迹引用了不存在的颜色,未导入">
        <source></source>
        <translation>%d stitches of missing colours not imported</translation>
    </message>
    <message id="属性表里的值只读取常见的类型(文字、数字、颜色、矩形等),其他类型的文件不能导入">
        <source></source>
        <translation>Only common property types are read (text, numbers, colours, rectangles and so on); files with others cannot be imported</translation>
    </message>
    <message id="KXStitch绣图文件已损坏,不能导入">
        <source></source>
        <translation>The KXStitch chart is damaged and cannot be imported</translation>
    </message>
    <message id="KXStitch绣图的属性有不认识的类型,不能导入">
        <source></source>
        <translation>The KXStitch chart has properties of unknown types and cannot be imported</translation>
    </message>
    <message id="%d张背景图片未导入">
        <source></source>
        <translation>%d background pictures not imported</translation>
    </message>
    <message id="KXStitch绣图的宽高不正确">
        <source></source>
        <translation>The KXStitch chart size is wrong</translation>
    </message>
    <message id="%d个描边或法式结超出绣图范围,未导入">
        <source></source>
        <translation>%d backstitches or French knots outside the chart not imported</translation>
    </message>
    <message id="OXS绣图 (.oxs)|*.oxs|">
        <source></source>
        <translation>OXS charts (.oxs)|*.oxs|</translation>
    </message>
    <message id="OXS绣图的宽高不正确(只能是1到%d)">
        <source></source>
        <translation>The OXS chart size is wrong (only 1 to %d)</translation>
    </message>
    <message id="OXS绣图没有调色板">
        <source></source>
        <translation>The OXS chart has no palette</translation>
    </message>
    <message id="OXS绣图的调色板序号不正确">
        <source></source>
        <translation>The OXS chart has wrong palette indices</translation>
    </message>
    <message id="OXS绣图的调色板序号重复">
        <source></source>
        <translation>The OXS chart repeats palette indices</translation>
    </message>
    <message id="OXS绣图的调色板太大">
        <source></source>
        <translation>The OXS palette is too large</translation>
    </message>
    <message id="%d种颜色没有色值,按洋红色导入">
        <source></source>
        <translation>%d colours without a value imported as magenta</translation>
    </message>
    <message id="%d个四分之三针迹改为半针">
        <source></source>
        <translation>%d three-quarter stitches changed to half stitches</translation>
    </message>
    <message id="%d个格子里的第二种颜色未导入">
        <source></source>
        <translation>%d second colours in a square not imported</translation>
    </message>
    <message id="%d个描边端点移到最近的格角">
        <source></source>
        <translation>%d backstitch ends moved to the nearest corner</translation>
    </message>
    <message id="%d条描边超出绣图或不完整,未导入">
        <source></source>
        <translation>%d backstitches outside the chart or incomplete not imported</translation>
    </message>
    <message id="%d条描边没有颜色,未导入">
        <source></source>
        <translation>%d backstitches without colour not imported</translation>
    </message>
    <message id="%d个无法表示的装饰(珠子、纽扣等)未导入">
        <source></source>
        <translation>%d ornaments that cannot be shown (beads, buttons and so on) not imported</translation>
    </message>
    <message id="%d个装饰的位置不可读,未导入">
        <source></source>
        <translation>%d ornaments with unreadable positions not imported</translation>
    </message>
    <message id="%d个装饰超出绣图范围,未导入">
        <source></source>
        <translation>%d ornaments outside the chart not imported</translation>
    </message>
    <message id="%d个装饰没有颜色,未导入">
        <source></source>
        <translation>%d ornaments without colour not imported</translation>
    </message>
    <message id="%d个针迹超出绣图范围,未导入">
        <source></source>
        <translation>%d stitches outside the chart not imported</translation>
    </message>
    <message id="%d处引用了不存在的颜色,未导入">
        <source></source>
        <translation>%d references to missing colours not imported</translation>
    </message>
    <message id="找不到">
        <source></source>
        <translation>Cannot find the </translation>
    </message>
    <message id="色库,不能导入OXS绣图">
        <source></source>
        <translation> floss library; the OXS chart cannot be imported</translation>
    </message>
    <message id="OXS绣图用了超过%d种绣线">
        <source></source>
        <translation>The OXS chart uses more than %d threads</translation>
    </message>
    <message id="OXS文件已损坏,不能导入">
        <source></source>
        <translation>The OXS file is damaged and cannot be imported</translation>
    </message>
    <message id="不是OXS绣图文件">
        <source></source>
        <translation>This is not an OXS chart file</translation>
    </message>
    <message id="OXS文件太大,不能导入">
        <source></source>
        <translation>The OXS file is too large to import</translation>
    </message>
    <message id="OXS绣图导入完毕:%d种绣线按线号匹配%s色库,%d种按最接近的颜色匹配">
        <source></source>
        <translation>OXS chart imported: %d threads matched to the %s library by number, %d by the closest colour</translation>
    </message>
    <message id="%d个图层合并为一层">
        <source></source>
        <translation>%d layers merged into one</translation>
    </message>
    <message id="%d个隐藏的图层未导出">
        <source></source>
        <translation>%d hidden layers not exported</translation>
    </message>
    <message id="不能写入文件 ">
        <source></source>
        <translation>Cannot write the file </translation>
    </message>
    <message id="OXS绣图导出完毕">
        <source></source>
        <translation>The OXS chart has been exported</translation>
    </message>
    <message id="色库文件里没有可用的绣线">
        <source></source>
        <translation>The floss library file holds no usable threads</translation>
    </message>
    <message id="Pattern Maker色库文件已损坏,不能导入">
        <source></source>
        <translation>The Pattern Maker floss library is damaged and cannot be imported</translation>
    </message>
    <message id="不能识别的色库文件,不能导入">
        <source></source>
        <translation>This floss library file is not recognised and cannot be imported</translation>
    </message>
    <message id="色库文件太大,不能导入">
        <source></source>
        <translation>The floss library file is too large to import</translation>
    </message>
    <message id="色库文件没有写明品牌,请指定色库名">
        <source></source>
        <translation>The floss library names no brand; please give a library name</translation>
    </message>
    <message id="色库名不能用作文件名">
        <source></source>
        <translation>That library name cannot be used as a file name</translation>
    </message>
    <message id="是系统色库,不能覆盖">
        <source></source>
        <translation> is a system floss library and cannot be replaced</translation>
    </message>
    <message id="不能写入色库 ">
        <source></source>
        <translation>Cannot write the floss library </translation>
    </message>
    <message id="不是PCStitch绣图文件">
        <source></source>
        <translation>This is not a PCStitch chart file</translation>
    </message>
    <message id="PCStitch绣图的宽高不正确">
        <source></source>
        <translation>The PCStitch chart size is wrong</translation>
    </message>
    <message id="调色板的品牌取自文件中的色系名称(第5版按DMC线号读取)">
        <source></source>
        <translation>The palette&apos;s brand is taken from the file&apos;s range name (version 5 is read as DMC numbers)</translation>
    </message>
    <message id="第6版在法式结之前是否另有4个字节,说明与参考程序不一致,按没有读取">
        <source></source>
        <translation>Version 6: whether 4 more bytes precede the French knots is unclear (the description and the reference program differ); read as absent</translation>
    </message>
    <message id="第7版每种颜色记录中未说明的字节未读取(其中可能有符号和股数)">
        <source></source>
        <translation>Version 7: the undescribed bytes of each colour record are not read (they may hold symbols and strands)</translation>
    </message>
    <message id="PCStitch绣图文件已损坏,不能导入">
        <source></source>
        <translation>The PCStitch chart is damaged and cannot be imported</translation>
    </message>
    <message id="%d个法式结超出绣图范围,未导入">
        <source></source>
        <translation>%d French knots outside the chart not imported</translation>
    </message>
    <message id="%d条描边的端点不正确,未导入">
        <source></source>
        <translation>%d backstitches with wrong ends not imported</translation>
    </message>
    <message id="图片文件 (">
        <source></source>
        <translation>Pictures (</translation>
    </message>
    <message id="带描边的卡通图片导入">
        <source></source>
        <translation>Import Cartoon with Outlines</translation>
    </message>
    <message id="绣图预览窗">
        <source></source>
        <translation>Preview</translation>
    </message>
    <message id="绣线数">
        <source></source>
        <translation>Threads</translation>
    </message>
    <message id="绣线库(%s)的线未配置,不能使用">
        <source></source>
        <translation>The %s floss library has no threads set up and cannot be used</translation>
    </message>
    <message id="不是Pattern Maker绣图文件">
        <source></source>
        <translation>This is not a Pattern Maker chart file</translation>
    </message>
    <message id="Pattern Maker绣图的宽高不正确">
        <source></source>
        <translation>The Pattern Maker chart size is wrong</translation>
    </message>
    <message id="%d个直线针迹按描边导入">
        <source></source>
        <translation>%d straight stitches imported as backstitch</translation>
    </message>
    <message id="%d个曲线针迹未导入">
        <source></source>
        <translation>%d curved stitches not imported</translation>
    </message>
    <message id="%d个特殊针迹未导入">
        <source></source>
        <translation>%d specialty stitches not imported</translation>
    </message>
    <message id="%d个四分之一小针(petite)放在整格里">
        <source></source>
        <translation>%d petite stitches placed in whole squares</translation>
    </message>
    <message id="格子数据的解扰和游程编码、部分针迹与特殊针迹模型的布局按公开的逆向说明读取">
        <source></source>
        <translation>The unscrambling and run-length coding of the squares and the layout of part and specialty stitches follow the public reverse-engineered description</translation>
    </message>
    <message id="法式结、珠子和线的坐标以半格为单位;位于格角的法式结和珠子放进右下方的格子">
        <source></source>
        <translation>French knots, beads and lines are placed in half squares; knots and beads on corners go into the square below right</translation>
    </message>
    <message id="部分针迹记录的第7位读作四分之三针(说明中没有这一位,与同一绣图的OXS导出比对得出)">
        <source></source>
        <translation>Bit 7 of a part-stitch record is read as a three-quarter stitch (not in the description; found by comparing with the same chart&apos;s OXS export)</translation>
    </message>
    <message id="Pattern Maker绣图文件已损坏,不能导入">
        <source></source>
        <translation>The Pattern Maker chart is damaged and cannot be imported</translation>
    </message>
    <message id="第%d张">
        <source></source>
        <translation>Page %d</translation>
    </message>
    <message id="绣线表">
        <source></source>
        <translation>Key</translation>
    </message>
    <message id="绣图打印">
        <source></source>
        <translation>Cross-stitch chart</translation>
    </message>
    <message id="使用绣线(%s %d股绣)">
        <source></source>
        <translation>Floss used (%s, %d strands)</translation>
    </message>
    <message id="使用绣线">
        <source></source>
        <translation>Floss used</translation>
    </message>
    <message id="使用绣线数">
        <source></source>
        <translation>Threads used</translation>
    </message>
    <message id="绣图宽和高(格)">
        <source></source>
        <translation>Size</translation>
    </message>
    <message id="宽%d * 高%d">
        <source></source>
        <translation>%d x %d</translation>
    </message>
    <message id="符号">
        <source></source>
        <translation>Symbol</translation>
    </message>
    <message id="线号">
        <source></source>
        <translation>Number</translation>
    </message>
    <message id="线量(6股米数)">
        <source></source>
        <translation>Metres</translation>
    </message>
    <message id="线量(格数)">
        <source></source>
        <translation>Stitches</translation>
    </message>
    <message id="%s %d股绣需要绣线:%.3f米(注:指的是六股)">
        <source></source>
        <translation>%s, %d strands: %.3f m of floss (6-strand skein length)</translation>
    </message>
    <message id=" --第%d张 共%d张">
        <source></source>
        <translation> -- page %d of %d</translation>
    </message>
    <message id="Velmora十字绣绣图">
        <source></source>
        <translation>Velmora Cross Stitch Chart</translation>
    </message>
    <message id="绣图宽高">
        <source></source>
        <translation>Pattern size</translation>
    </message>
    <message id="绣布 %s(%s)">
        <source></source>
        <translation>Fabric %s (%s)</translation>
    </message>
    <message id="描边股数%d">
        <source></source>
        <translation>Backstitch strands %d</translation>
    </message>
    <message id="制图:">
        <source></source>
        <translation>Designed by </translation>
    </message>
    <message id="Velmora十字绣软件">
        <source></source>
        <translation>Velmora Cross Stitch software</translation>
    </message>
    <message id="已有新版本，但程序目录中没有更新程序，本次继续使用当前版本。">
        <source></source>
        <translation>A new version is available, but the program folder has no updater; this version stays in use for now.</translation>
    </message>
    <message id="原始顺序">
        <source></source>
        <translation>Original order</translation>
    </message>
    <message id="按颜色排序">
        <source></source>
        <translation>Sort by colour</translation>
    </message>
    <message id="左上">
        <source></source>
        <translation>top left</translation>
    </message>
    <message id="右上">
        <source></source>
        <translation>top right</translation>
    </message>
    <message id="左下">
        <source></source>
        <translation>bottom left</translation>
    </message>
    <message id="右下">
        <source></source>
        <translation>bottom right</translation>
    </message>
    <message id="行">
        <source></source>
        <translation>Row</translation>
    </message>
    <message id="描边 线号:">
        <source></source>
        <translation>Backstitch, thread </translation>
    </message>
    <message id=" 颜色:RGB(">
        <source></source>
        <translation>, colour RGB(</translation>
    </message>
    <message id=") 起点:">
        <source></source>
        <translation>), from </translation>
    </message>
    <message id=" 终点:">
        <source></source>
        <translation> to </translation>
    </message>
    <message id="当前描边: ">
        <source></source>
        <translation>Current backstitch: </translation>
    </message>
    <message id="选区域工具: 逐点单击围出选区;按住 Shift 拖动拉出矩形选区">
        <source></source>
        <translation>Select Area: click point by point around the area; hold Shift and drag for a rectangle</translation>
    </message>
    <message id="选择字体">
        <source></source>
        <translation>Choose Font</translation>
    </message>
    <message id="显示底图">
        <source></source>
        <translation>Show picture</translation>
    </message>
    <message id="不显网线">
        <source></source>
        <translation>Hide grid</translation>
    </message>
    <message id="闪色块">
        <source></source>
        <translation>Flash colour</translation>
    </message>
    <message id="水平对称">
        <source></source>
        <translation>Mirror horizontally</translation>
    </message>
    <message id="竖直对称">
        <source></source>
        <translation>Mirror vertically</translation>
    </message>
    <message id="任意对称">
        <source></source>
        <translation>Mirror both ways</translation>
    </message>
    <message id="CMYK表损坏,已按颜色换算">
        <source></source>
        <translation>The CMYK table is damaged; colours were converted instead</translation>
    </message>
    <message id="选择要导出的文件名或目录名">
        <source></source>
        <translation>Choose the file or folder to export to</translation>
    </message>
    <message id="目录或文件名 (*.*)|*.*||">
        <source></source>
        <translation>Folder or file name (*.*)|*.*||</translation>
    </message>
    <message id="绣图太大,印刷页超过TIFF文件4GB的限制,不能导出">
        <source></source>
        <translation>The chart is too large: a page would exceed the 4 GB limit of a TIFF file</translation>
    </message>
    <message id="绣图太大,印刷页的宽或高超过TIFF文件65535像素的限制,不能导出">
        <source></source>
        <translation>The chart is too large: a page would be wider or taller than the 65535 pixels a TIFF file allows</translation>
    </message>
    <message id="印刷文件写入失败">
        <source></source>
        <translation>The print files could not be written</translation>
    </message>
    <message id="不能建立存放印刷文件的目录">
        <source></source>
        <translation>The folder for the print files could not be made</translation>
    </message>
    <message id="印刷文件共%d页,需要%s磁盘空间,目标磁盘只有%s可用,不能导出">
        <source></source>
        <translation>The print files have %d pages and need %s of disk space, but only %s is free on the target disk; nothing was exported</translation>
    </message>
    <message id="出图商">
        <source></source>
        <translation>Publisher</translation>
    </message>
    <message id="印刷纸张大小">
        <source></source>
        <translation>Paper size</translation>
    </message>
    <message id="宽(cm)">
        <source></source>
        <translation>Width (cm)</translation>
    </message>
    <message id="高(cm)">
        <source></source>
        <translation>Height (cm)</translation>
    </message>
    <message id="印刷格大小(cm)">
        <source></source>
        <translation>Square size (cm)</translation>
    </message>
    <message id="导出印刷格式">
        <source></source>
        <translation>Export for Print Shop</translation>
    </message>
    <message id="开始">
        <source></source>
        <translation>Start</translation>
    </message>
    <message id="初始化文件">
        <source></source>
        <translation>Preparing the file</translation>
    </message>
    <message id="初始化文件失败">
        <source></source>
        <translation>The file could not be prepared</translation>
    </message>
    <message id="初始化文件完毕">
        <source></source>
        <translation>File prepared</translation>
    </message>
    <message id="十字绣绣图">
        <source></source>
        <translation>Cross Stitch Chart</translation>
    </message>
    <message id="开始绘制针法">
        <source></source>
        <translation>Drawing the stitches</translation>
    </message>
    <message id="绘制针法完毕">
        <source></source>
        <translation>Stitches drawn</translation>
    </message>
    <message id="开始绘制字符格">
        <source></source>
        <translation>Drawing the symbols</translation>
    </message>
    <message id="开始绘制行线">
        <source></source>
        <translation>Drawing the row lines</translation>
    </message>
    <message id="开始绘制列线">
        <source></source>
        <translation>Drawing the column lines</translation>
    </message>
    <message id="开始绘制描边线">
        <source></source>
        <translation>Drawing the backstitch</translation>
    </message>
    <message id="绘制描边线完毕">
        <source></source>
        <translation>Backstitch drawn</translation>
    </message>
    <message id="开始绘制KEY">
        <source></source>
        <translation>Drawing the key</translation>
    </message>
    <message id="绘制KEY完毕">
        <source></source>
        <translation>Key drawn</translation>
    </message>
    <message id="纸张的宽和高应在%g到%g厘米之间">
        <source></source>
        <translation>The paper width and height must be between %g and %g cm</translation>
    </message>
    <message id="印刷格大小应在%g到%g厘米之间">
        <source></source>
        <translation>The square size must be between %g and %g cm</translation>
    </message>
    <message id="获得窗口有空值">
        <source></source>
        <translation>A window could not be found</translation>
    </message>
    <message id="获取进程句柄操作失败！">
        <source></source>
        <translation>The other program could not be reached!</translation>
    </message>
    <message id="错误！">
        <source></source>
        <translation>Error!</translation>
    </message>
    <message id="取得的颜色值不是数字：">
        <source></source>
        <translation>The colour value read is not a number: </translation>
    </message>
    <message id="吸取PhotoShop的取色窗口">
        <source></source>
        <translation>Read the image editor&apos;s colour picker</translation>
    </message>
    <message id="抓取窗口">
        <source></source>
        <translation>Grab window</translation>
    </message>
    <message id="按住鼠标拖到取色窗口的输入框上松开">
        <source></source>
        <translation>Hold the mouse button, drag onto the picker&apos;s field and release</translation>
    </message>
    <message id="内置取色">
        <source></source>
        <translation>Built-in picker</translation>
    </message>
    <message id="没有图像软件时用本工具自己的CMYK换算">
        <source></source>
        <translation>Without an image editor, use this tool&apos;s own CMYK conversion</translation>
    </message>
    <message id="自动填数快捷键(CTRL+F9)">
        <source></source>
        <translation>Fill-in hot key (Ctrl+F9)</translation>
    </message>
    <message id="自动填数">
        <source></source>
        <translation>Fill In</translation>
    </message>
    <message id="%s窗口:0x%x">
        <source></source>
        <translation>%s window: 0x%x</translation>
    </message>
    <message id="%s窗口">
        <source></source>
        <translation>%s window</translation>
    </message>
    <message id="已填入第%d行第%d列起">
        <source></source>
        <translation>Filled from row %d, column %d</translation>
    </message>
    <message id="绣库对应文件 (*.x2x)">
        <source></source>
        <translation>Floss mapping files (*.x2x)</translation>
    </message>
    <message id="绣线综合管理工具">
        <source></source>
        <translation>Floss Library Tool</translation>
    </message>
    <message id="生成绣线库">
        <source></source>
        <translation>Build Floss Library</translation>
    </message>
    <message id="输入行数">
        <source></source>
        <translation>Rows</translation>
    </message>
    <message id="加入行">
        <source></source>
        <translation>Add Rows</translation>
    </message>
    <message id="读入输入">
        <source></source>
        <translation>Load</translation>
    </message>
    <message id="保存输入">
        <source></source>
        <translation>Save</translation>
    </message>
    <message id="增加行">
        <source></source>
        <translation>Add Row</translation>
    </message>
    <message id="输入新库名">
        <source></source>
        <translation>New library name</translation>
    </message>
    <message id="生成库">
        <source></source>
        <translation>Build Library</translation>
    </message>
    <message id="绣库对应文件 (*.x2x)|*.x2x||">
        <source></source>
        <translation>Floss mapping files (*.x2x)|*.x2x||</translation>
    </message>
    <message id="请输入新绣线库名">
        <source></source>
        <translation>Please enter a name for the new floss library</translation>
    </message>
    <message id="读取DMC色库出错">
        <source></source>
        <translation>The DMC floss library could not be read</translation>
    </message>
    <message id="找不到新线:%s对应的DMC:%s线生成绣线库失败">
        <source></source>
        <translation>No DMC %2$s thread for the new thread %1$s; the library was not built</translation>
    </message>
    <message id="绣线库名不能含有&quot;/&quot;">
        <source></source>
        <translation>A floss library name cannot contain &quot;/&quot;</translation>
    </message>
    <message id="绣线库文件写入失败">
        <source></source>
        <translation>The floss library file could not be written</translation>
    </message>
    <message id="绣库对应文件不完整,只读入了其中完整的%d对">
        <source></source>
        <translation>The mapping file is incomplete; only its %d complete pairs were read</translation>
    </message>
    <message id="不能读取照片文件">
        <source></source>
        <translation>The photo cannot be read</translation>
    </message>
    <message id="照片文件不是GIF图片">
        <source></source>
        <translation>The photo is not a GIF picture</translation>
    </message>
    <message id="GIF图片文件不完整,可能没有下载或复制完">
        <source></source>
        <translation>The GIF file is incomplete; it may not have finished downloading or copying</translation>
    </message>
    <message id="GIF图片文件已损坏">
        <source></source>
        <translation>The GIF file is damaged</translation>
    </message>
    <message id="GIF图片文件中没有图像">
        <source></source>
        <translation>The GIF file holds no picture</translation>
    </message>
    <message id="GIF图片没有颜色表,不能转换">
        <source></source>
        <translation>The GIF picture has no colour table and cannot be converted</translation>
    </message>
    <message id="GIF图片太大,不能导入">
        <source></source>
        <translation>The GIF picture is too large to import</translation>
    </message>
    <message id="照片文件 (.gif)|*.gif|">
        <source></source>
        <translation>Photos (.gif)|*.gif|</translation>
    </message>
    <message id="请先选择一个GIF照片文件">
        <source></source>
        <translation>Please choose a GIF photo first</translation>
    </message>
    <message id="计算出绣布的宽为:%.1f厘米,高为:%.1f厘米,&#xd;&#xa;这是理论值请自行加边(计算值+留边*2)推荐留边1厘米也就是 计算值+1*2">
        <source></source>
        <translation>The fabric is %.1f cm wide and %.1f cm high.
Add a margin on every side yourself (size + 2 x margin); 1 cm is recommended, that is size + 2 cm.</translation>
    </message>
    <message id="第%d列第%d行">
        <source></source>
        <translation>column %d row %d </translation>
    </message>
    <message id="取消插件%1动作">
        <source></source>
        <translation>Undo Plug-in %1</translation>
    </message>
    <message id="取消%1绣线转%2绣线">
        <source></source>
        <translation>Undo Convert %1 to %2</translation>
    </message>
    <message id="背景">
        <source></source>
        <translation>Background</translation>
    </message>
    <message id="文本层">
        <source></source>
        <translation>Text</translation>
    </message>
    <message id="粘贴层">
        <source></source>
        <translation>Paste</translation>
    </message>
    <message id="插入绣图层">
        <source></source>
        <translation>Inserted Pattern</translation>
    </message>
    <message id="复制层">
        <source></source>
        <translation>Copy</translation>
    </message>
    <message id="佚名">
        <source></source>
        <translation>Anonymous</translation>
    </message>
    <message id="绣线管理工具">
        <source></source>
        <translation>Floss Library Manager</translation>
    </message>
    <message id="清晰符号">
        <source></source>
        <translation>Clear symbols</translation>
    </message>
    <message id="新建的绣图和转换的图片使用图表符号字体;已有的绣图保留原来的符号">
        <source></source>
        <translation>New patterns and converted pictures use the chart symbol font; existing patterns keep their symbols</translation>
    </message>
    <message id="页面分布图">
        <source></source>
        <translation>Page map</translation>
    </message>
    <message id="英文图例">
        <source></source>
        <translation>English key</translation>
    </message>
    <message id="页面重叠行列数">
        <source></source>
        <translation>Overlap rows and columns</translation>
    </message>
    <message id="图表应用PDF">
        <source></source>
        <translation>PDF for chart apps</translation>
    </message>
    <message id="所选符号与线号%1的符号%2相似,图上不易分辨">
        <source></source>
        <translation>The chosen symbol looks like the symbol %2 of floss %1 and is hard to tell apart on the chart</translation>
    </message>
    <message id="改用清晰符号">
        <source></source>
        <translation>Switch to clear symbols</translation>
    </message>
    <message id="绣线表%d">
        <source></source>
        <translation>Key %d</translation>
    </message>
</context>
</TS>
